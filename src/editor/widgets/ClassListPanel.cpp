#include "editor/widgets/ClassListPanel.h"

#include "editor/ClassPositions.h"
#include "editor/PanelContext.h"
#include "editor/widgets/ClassNameDelegate.h"
#include "model/ExchClass.h"
#include "model/FieldLimits.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "shell/MessageService.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

const QString ClassListPanel::DeleteQuestion = QStringLiteral("Do you want to delete the class \"%1\"?");

namespace {
constexpr int RecordRole = Qt::UserRole;
// New classes go into the first free record among these.
constexpr int FirstAddSlot = 1;
constexpr int LastAddSlot = 10;

const QByteArray NewClassName = QByteArrayLiteral("New Class");
const QString CopiedMessage = QStringLiteral("New Class Added to ID #");
const QString CopyTitle = QStringLiteral("Copy Class");
const QString NoFreeClass = QStringLiteral("There are no free Classes");
const QString DeleteTitle = QStringLiteral("Delete Class");
const QString NoFreePosition =
    QStringLiteral("There is no free class bit position: positions 0 to %1 are all held by classes in use");
const QString TakenFromOne = QStringLiteral(" %1 has it; it will be taken from it.");
const QString TakenFromMany = QStringLiteral(" %1 have it; it will be taken from them.");
const QString OnePort = QStringLiteral("1 virtual port");
const QString Ports = QStringLiteral("%1 virtual ports");
const QString OneAcl = QStringLiteral("1 ACL");
const QString Acls = QStringLiteral("%1 ACLs");

// " 4 virtual ports and 2 ACLs have it; it will be taken from them."
QString holdersText(const ClassPositions::Holders &holders)
{
    QStringList parts;
    if (!holders.ports.isEmpty())
        parts.append(holders.ports.size() == 1 ? OnePort : Ports.arg(holders.ports.size()));
    if (!holders.acls.isEmpty())
        parts.append(holders.acls.size() == 1 ? OneAcl : Acls.arg(holders.acls.size()));
    if (parts.isEmpty())
        return {};
    const bool one = holders.ports.size() + holders.acls.size() == 1;
    return (one ? TakenFromOne : TakenFromMany).arg(parts.join(QStringLiteral(" and ")));
}
} // namespace

ClassListPanel::ClassListPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Class Names"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeClassList"));

    m_lvwClassList = new QTreeWidget(this);
    m_lvwClassList->setObjectName(QStringLiteral("lvwClassList"));
    m_lvwClassList->setHeaderLabels({QStringLiteral("Class Name"), QStringLiteral("Bit Posn")});
    m_lvwClassList->setRootIsDecorated(false);
    m_lvwClassList->setUniformRowHeights(true);
    m_lvwClassList->setAllColumnsShowFocus(true);
    QHeaderView *header = m_lvwClassList->header();
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(PositionColumn, QHeaderView::ResizeToContents);
    m_delegate = new ClassNameDelegate(NameColumn, m_lvwClassList);
    m_lvwClassList->setItemDelegate(m_delegate);

    m_popup = new QMenu(QStringLiteral("Class List PopUp"), this);
    m_mnuClassAddNew = m_popup->addAction(QStringLiteral("Add New Class"));
    m_mnuClassAddNew->setObjectName(QStringLiteral("mnuClassAddNew"));
    m_mnuClassAddNew->setShortcut(QKeySequence(Qt::Key_Insert));
    m_mnuClassDelete = m_popup->addAction(QStringLiteral("Delete Class"));
    m_mnuClassDelete->setObjectName(QStringLiteral("mnuClassDelete"));
    m_mnuClassDelete->setShortcut(QKeySequence::Delete);
    for (QAction *action : {m_mnuClassAddNew, m_mnuClassDelete}) {
        // The keys work in the list itself, not while a name is being typed.
        action->setShortcutContext(Qt::WidgetShortcut);
        m_lvwClassList->addAction(action);
    }
    m_lvwClassList->setContextMenuPolicy(Qt::CustomContextMenu);

    connect(m_lvwClassList, &QTreeWidget::itemChanged, this, &ClassListPanel::itemChanged);
    connect(m_lvwClassList, &QTreeWidget::currentItemChanged, this, &ClassListPanel::currentItemChanged);
    connect(header, &QHeaderView::sectionClicked, this, &ClassListPanel::columnClicked);
    connect(m_lvwClassList, &QWidget::customContextMenuRequested, this, &ClassListPanel::showPopup);
    connect(m_mnuClassAddNew, &QAction::triggered, this, &ClassListPanel::addNewClassAndName);
    connect(m_mnuClassDelete, &QAction::triggered, this, &ClassListPanel::DeleteClass);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lvwClassList);
}

RecordClass &ClassListPanel::classes() const
{
    return m_context.configuration().ClassList();
}

int ClassListPanel::recordOf(const QTreeWidgetItem *item)
{
    return item->data(NameColumn, RecordRole).toInt();
}

QTreeWidgetItem *ClassListPanel::itemForRecord(int index) const
{
    for (int i = 0; i < m_lvwClassList->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_lvwClassList->topLevelItem(i);
        if (recordOf(item) == index)
            return item;
    }
    return nullptr;
}

QList<BitEntry> ClassListPanel::populate()
{
    const RecordClass &structure = classes();
    QList<int> inUse;
    for (int i = 0; i < structure.Records(); ++i) {
        if (!RecordSlots::isFree(structure, i))
            inUse.append(i);
    }
    QList<int> listed;
    for (int i = 0; i < m_lvwClassList->topLevelItemCount(); ++i)
        listed.append(recordOf(m_lvwClassList->topLevelItem(i)));
    std::sort(listed.begin(), listed.end());

    m_populating = true;
    const int current = m_currentClassIndex;
    // The same classes are shown again in place: this also runs from the
    // list's own change signals, whose item must stay alive.
    if (listed != inUse) {
        m_lvwClassList->clear();
        for (int index : inUse) {
            auto *item = new QTreeWidgetItem(m_lvwClassList);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
            item->setData(NameColumn, RecordRole, index);
        }
    }
    for (int i = 0; i < m_lvwClassList->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_lvwClassList->topLevelItem(i);
        showClass(item, recordOf(item));
    }
    m_delegate->setNameLength(FieldLimits::textLength(structure, FieldNames::Name));
    applySort();
    m_populating = false;
    makeCurrent(current);

    QList<BitEntry> enabled;
    for (int index : inUse) {
        if (structure.GetBoolean(FieldNames::Flag, index, RecordSlots::EnabledBit))
            enabled.append({QString::fromLatin1(structure.GetString(FieldNames::Name, index)),
                            structure.GetInteger(FieldNames::ClassCodePosn, index)});
    }
    return enabled;
}

void ClassListPanel::showClass(QTreeWidgetItem *item, int index) const
{
    const RecordClass &structure = classes();
    item->setText(NameColumn, QString::fromLatin1(structure.GetString(FieldNames::Name, index)));
    // A number, so the column sorts 2 before 10.
    item->setData(PositionColumn, Qt::DisplayRole, structure.GetInteger(FieldNames::ClassCodePosn, index));
    const bool enabled = structure.GetBoolean(FieldNames::Flag, index, RecordSlots::EnabledBit);
    item->setCheckState(NameColumn, enabled ? Qt::Checked : Qt::Unchecked);
}

void ClassListPanel::showRecord(int index)
{
    makeCurrent(index);
    if (QTreeWidgetItem *item = m_lvwClassList->currentItem())
        m_lvwClassList->scrollToItem(item);
}

void ClassListPanel::makeCurrent(int index)
{
    // Copy and delete act on the current class, so the list always shows one.
    QTreeWidgetItem *item = itemForRecord(index);
    if (!item)
        item = m_lvwClassList->topLevelItem(0);
    if (item && item != m_lvwClassList->currentItem())
        m_lvwClassList->setCurrentItem(item);
    m_currentClassIndex = item ? recordOf(item) : -1;
}

void ClassListPanel::applySort()
{
    if (m_sortColumn < 0)
        return;
    QHeaderView *header = m_lvwClassList->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(m_sortColumn, m_sortOrder);
    m_lvwClassList->sortItems(m_sortColumn, m_sortOrder);
}

void ClassListPanel::columnClicked(int column)
{
    if (column == m_sortColumn)
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        m_sortOrder = Qt::AscendingOrder;
    m_sortColumn = column;
    applySort();
}

void ClassListPanel::currentItemChanged(QTreeWidgetItem *current)
{
    if (m_populating)
        return;
    m_currentClassIndex = current ? recordOf(current) : -1;
}

void ClassListPanel::itemChanged(QTreeWidgetItem *item, int column)
{
    if (m_populating || column != NameColumn)
        return;
    RecordClass &structure = classes();
    const int index = recordOf(item);
    const bool ticked = item->checkState(NameColumn) == Qt::Checked;
    if (ticked != structure.GetBoolean(FieldNames::Flag, index, RecordSlots::EnabledBit)) {
        // Enabling or disabling is only stored; it goes out with the class's next send.
        structure.SetBoolean(FieldNames::Flag, index, RecordSlots::EnabledBit, ticked);
        m_context.PopulateClassLists();
        return;
    }
    const QString text = item->text(NameColumn);
    const QString refusal = FieldLimits::textRefusal(structure, FieldNames::Name, text);
    if (!refusal.isEmpty()) {
        m_context.PopulateClassLists();
        m_context.messages().show(this, QMessageBox::Warning, QString(), refusal);
        return;
    }
    const QByteArray name = text.toLatin1();
    if (name == structure.GetString(FieldNames::Name, index))
        return;
    bool changed = false;
    structure.SetString(FieldNames::Name, index, name, &changed);
    if (changed)
        m_context.sendRecordNow(structure, index);
    m_context.PopulateClassLists();
}

void ClassListPanel::FillClassLists(const QByteArray &data)
{
    m_context.setFilling(true);
    RecordClass &structure = classes();
    structure.ShowPacket(data);
    structure.PutData(data);
    m_context.PopulateClassLists();
    m_context.setFilling(false);
}

void ClassListPanel::CopyClass()
{
    RecordClass &structure = classes();
    const int target = RecordSlots::firstFree(structure);
    if (target < 0) {
        m_context.messages().show(this, QMessageBox::Warning, QString(), NoFreeClass);
        return;
    }
    const int source = m_currentClassIndex;
    if (source < 0 || source >= structure.Records() || RecordSlots::isFree(structure, source))
        return;
    const int position = freePosition();
    if (position < 0)
        return;
    structure.CopyRecord(source, target);
    RecordSlots::takeIntoUse(structure, target);
    structure.SetString(FieldNames::Name, target, NewClassName + ' ' + QByteArray::number(target));
    structure.SetInteger(FieldNames::ClassCodePosn, target, position);
    m_context.sendRecordNow(structure, target);
    m_context.PopulateClassLists();
    makeCurrent(target);
    m_context.messages().show(this, QMessageBox::Information, CopyTitle, CopiedMessage + QString::number(target));
}

int ClassListPanel::freeAddSlot() const
{
    const RecordClass &structure = classes();
    for (int i = FirstAddSlot; i <= LastAddSlot && i < structure.Records(); ++i) {
        if (RecordSlots::isFree(structure, i))
            return i;
    }
    return -1;
}

int ClassListPanel::freePosition()
{
    ClassPositions positions(m_context.configuration());
    // A bit still held by a class in use would give its ports the new class too.
    const int position = positions.freePosition();
    if (position < 0)
        m_context.messages().show(this, QMessageBox::Warning, QString(), NoFreePosition.arg(positions.capacity() - 1));
    return position;
}

void ClassListPanel::AddNewClass()
{
    const int slot = freeAddSlot();
    if (slot < 0)
        return;
    const int position = freePosition();
    if (position < 0)
        return;
    RecordClass &structure = classes();
    structure.SetString(FieldNames::Name, slot, NewClassName);
    structure.SetInteger(FieldNames::ClassCodePosn, slot, position);
    structure.ClearAllBoolean(FieldNames::Flag, slot);
    RecordSlots::takeIntoUse(structure, slot);
    structure.SetBoolean(FieldNames::Flag, slot, RecordSlots::EnabledBit, true);
    m_context.PopulateClassLists();
    makeCurrent(slot);
}

void ClassListPanel::addNewClassAndName()
{
    const int slot = freeAddSlot();
    AddNewClass();
    // The engineer names the new class straight away; the rename sends it.
    if (QTreeWidgetItem *item = slot >= 0 ? itemForRecord(slot) : nullptr) {
        m_lvwClassList->scrollToItem(item);
        m_lvwClassList->editItem(item, NameColumn);
    }
}

void ClassListPanel::DeleteClass()
{
    RecordClass &structure = classes();
    const int index = m_currentClassIndex;
    if (index < 0 || index >= structure.Records() || RecordSlots::isFree(structure, index))
        return;
    ExchClass &config = m_context.configuration();
    ClassPositions positions(config);
    const int position = structure.GetInteger(FieldNames::ClassCodePosn, index);
    // A bit shared with another class in use stays: it is that class's too.
    const bool shared = positions.heldByAnother(position, index);
    const ClassPositions::Holders holders = shared ? ClassPositions::Holders() : positions.holders(position);
    const QString question =
        DeleteQuestion.arg(QString::fromLatin1(structure.GetString(FieldNames::Name, index))) + holdersText(holders);
    const int answer = m_context.messages().show(this, QMessageBox::Question, DeleteTitle, question,
                                                 QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!shared)
        positions.takeFromAll(position);
    if (m_context.updatesOnline()) {
        for (int port : holders.ports)
            m_context.sendRecordNow(config.VirtualPorts(), port);
        for (int acl : holders.acls)
            m_context.sendRecordNow(config.ACL(), acl);
    }
    RecordSlots::release(structure, index);
    m_context.sendRecordNow(structure, index);
    m_context.PopulateClassLists();
}

void ClassListPanel::showPopup(const QPoint &position)
{
    if (QTreeWidgetItem *item = m_lvwClassList->itemAt(position))
        m_lvwClassList->setCurrentItem(item);
    m_mnuClassAddNew->setEnabled(freeAddSlot() >= 0);
    m_mnuClassDelete->setEnabled(m_lvwClassList->currentItem() != nullptr);
    m_popup->popup(m_lvwClassList->viewport()->mapToGlobal(position));
}
