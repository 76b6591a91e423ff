#include "DialledNumberPanel.h"

#include "DialledNumberTable.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "LeaveWatcher.h"
#include "MessageService.h"
#include "NumberEditDelegate.h"
#include "PanelContext.h"
#include "RecordSlots.h"
#include "SortingListView.h"
#include "TrackedRecord.h"
#include "VirtualPortChoices.h"
#include "VirtualPortSelector.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace {
const QString KeyPrefix = QStringLiteral("E");
constexpr int KeyRole = Qt::UserRole;
const QString NotSet = QStringLiteral("Not Set");

const QString ChangingNumbersTitle = QStringLiteral("Changing Numbers");
const QString NotANumberMessage = QStringLiteral("A dialled number must be the digits 0-9 only");
const QString SameNumberMessage = QStringLiteral("There is another port with this number");
const QString OverlappingMessage = QStringLiteral("There are other ports which clash with this number");
const QString TooLongMessage = QStringLiteral("This number has more digits than the exchange can store");
const QString NoSpareSlotMessage = QStringLiteral("No Spare Number slots available");
const QString DeleteTitle = QStringLiteral("Delete Dialled Number");
const QString DeleteQuestionStart = QStringLiteral("Are you sure you want to delete ");

constexpr int NumberColumnWidth = 150;
constexpr int PortColumnWidth = 220;
} // namespace

DialledNumberPanel::DialledNumberPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Dialled Number To VirtualPorts"), parent)
    , m_context(context)
    , m_list(new SortingListView(this))
    , m_selector(new QComboBox(this))
    , m_addAction(new QAction(QStringLiteral("Add New Dial Number"), this))
    , m_deleteAction(new QAction(QStringLiteral("Delete Number"), this))
{
    setObjectName(QStringLiteral("fmeExtToVP"));

    m_list->setObjectName(QStringLiteral("lvwExtVP"));
    m_list->setHeaderLabels({QStringLiteral("Dialled Number"), QStringLiteral("Virtual Port"), QStringLiteral("Entry")});
    m_list->header()->resizeSection(NumberColumn, NumberColumnWidth);
    m_list->header()->resizeSection(PortColumn, PortColumnWidth);
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::SelectedClicked);
    m_list->setItemDelegate(new NumberEditDelegate(
        NumberColumn, m_list, [this](const QModelIndex &index) { startLabelEdit(recordOf(m_list->itemFromIndex(index))); },
        [this](const QString &text) {
            // After the editor has closed: a message box must not pull the focus from under it.
            QMetaObject::invokeMethod(this, [this, text] { endLabelEdit(text); }, Qt::QueuedConnection);
        }));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);

    m_addAction->setObjectName(QStringLiteral("popExtVPAdd"));
    m_addAction->setShortcut(QKeySequence(Qt::Key_Insert));
    m_addAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_deleteAction->setObjectName(QStringLiteral("popExtVPDelete"));
    m_deleteAction->setShortcut(QKeySequence(QKeySequence::Delete));
    m_deleteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_list->addAction(m_addAction);
    m_list->addAction(m_deleteAction);

    m_selector->setObjectName(QStringLiteral("cboExtToVP"));
    auto *selectorFrame = new QGroupBox(QStringLiteral("Change Virtual Port Here"), this);
    auto *selectorLabel = new QLabel(QStringLiteral("Virtual Port:"), selectorFrame);
    selectorLabel->setBuddy(m_selector);
    auto *selectorLayout = new QHBoxLayout(selectorFrame);
    selectorLayout->addWidget(selectorLabel);
    selectorLayout->addWidget(m_selector, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(selectorFrame);

    connect(m_list, &QTreeWidget::itemClicked, this, &DialledNumberPanel::itemChosen);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &DialledNumberPanel::itemChosen);
    connect(m_list, &QTreeWidget::itemChanged, this, &DialledNumberPanel::itemChecked);
    connect(m_list, &QWidget::customContextMenuRequested, this, &DialledNumberPanel::showMenu);
    connect(m_addAction, &QAction::triggered, this, &DialledNumberPanel::popExtVPAdd);
    connect(m_deleteAction, &QAction::triggered, this, &DialledNumberPanel::popExtVPDelete);
    LeaveWatcher::watch(m_selector, [this] { selectorLeft(); });
}

RecordClass &DialledNumberPanel::numbers() const
{
    return m_context.configuration().ExtToVirtual();
}

RecordClass &DialledNumberPanel::virtualPorts() const
{
    return m_context.configuration().VirtualPorts();
}

int DialledNumberPanel::recordOf(const QTreeWidgetItem *item)
{
    if (!item)
        return -1;
    bool ok = false;
    const int index = item->data(NumberColumn, KeyRole).toString().mid(KeyPrefix.size()).toInt(&ok);
    return ok ? index : -1;
}

QTreeWidgetItem *DialledNumberPanel::itemOf(int index) const
{
    return m_list->findKey(KeyPrefix + QString::number(index));
}

void DialledNumberPanel::showRecord(int index)
{
    if (QTreeWidgetItem *item = itemOf(index)) {
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
    }
}

void DialledNumberPanel::BuildExtVP()
{
    VirtualPortSelector::fill(*m_selector, virtualPorts());
}

void DialledNumberPanel::FillExtToVirtual()
{
    m_context.setFilling(true);
    RecordClass &table = numbers();
    const DialledNumberTable numberTable(table);
    const int count = numberTable.countInUse();
    m_list->clear();
    m_currentExtIndex = -1;
    m_editIndex = -1;
    for (int i = 0; i < table.Records(); ++i) {
        if (RecordSlots::isFree(table, i))
            continue;
        QTreeWidgetItem *item = addItem(i, count);
        item->setText(NumberColumn, QString::fromLatin1(numberTable.fullNumber(i)));
        item->setCheckState(NumberColumn,
                            table.GetBoolean(FieldNames::Flag, i, RecordSlots::EnabledBit) ? Qt::Checked : Qt::Unchecked);
        item->setText(PortColumn, VirtualPortChoices::name(virtualPorts(), table.GetInteger(FieldNames::VirtualPortNo, i)));
    }
    m_list->keepSorted();
    m_context.setFilling(false);
}

QTreeWidgetItem *DialledNumberPanel::addItem(int index, int countInUse)
{
    auto *item = new SortingListView::Item(m_list);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
    item->setData(NumberColumn, KeyRole, KeyPrefix + QString::number(index));
    item->setText(IndexColumn, DialledNumberTable::PadCount(index, countInUse));
    // Sorted as numbers: the padding follows the count in use, not the highest index.
    item->setData(IndexColumn, SortingListView::SortKeyRole, index);
    return item;
}

void DialledNumberPanel::itemChosen(QTreeWidgetItem *item)
{
    const int index = recordOf(item);
    if (index < 0)
        return;
    m_currentExtIndex = index;
    VirtualPortSelector::select(*m_selector, numbers().GetInteger(FieldNames::VirtualPortNo, index));
}

void DialledNumberPanel::itemChecked(QTreeWidgetItem *item, int column)
{
    // Items also change while they are being put together, before they have a box.
    if (m_context.isFilling() || column != NumberColumn || !item->data(NumberColumn, Qt::CheckStateRole).isValid())
        return;
    const int index = recordOf(item);
    if (index < 0 || RecordSlots::isFree(numbers(), index))
        return;
    TrackedRecord record(m_context, EditorPanel::DialledNumbers, numbers(), index);
    const bool enabled = item->checkState(NumberColumn) == Qt::Checked;
    // The tree click sends only record 0 of this table, so the record that
    // changed goes now, like every other edit of a number.
    if (record.setBoolean(FieldNames::Flag, RecordSlots::EnabledBit, enabled))
        m_context.sendRecordNow(numbers(), index);
}

void DialledNumberPanel::startLabelEdit(int index)
{
    m_editIndex = index;
}

void DialledNumberPanel::endLabelEdit(const QString &edited)
{
    const QString text = edited.trimmed();
    const int index = m_editIndex;
    m_editIndex = -1;
    if (index < 0 || RecordSlots::isFree(numbers(), index))
        return;
    DialledNumberTable table(numbers());
    switch (table.check(text, index)) {
    case DialledNumberTable::Check::NotANumber:
        m_context.messages().show(this, QMessageBox::Information, ChangingNumbersTitle, NotANumberMessage);
        return;
    case DialledNumberTable::Check::TooLong:
        m_context.messages().show(this, QMessageBox::Information, ChangingNumbersTitle, TooLongMessage);
        return;
    case DialledNumberTable::Check::SameNumber:
        m_context.messages().show(this, QMessageBox::Information, ChangingNumbersTitle, SameNumberMessage);
        return;
    case DialledNumberTable::Check::Overlapping:
        m_context.messages().show(this, QMessageBox::Information, ChangingNumbersTitle, OverlappingMessage);
        return;
    case DialledNumberTable::Check::Accepted:
        break;
    }
    TrackedRecord record(m_context, EditorPanel::DialledNumbers, numbers(), index);
    table.store(record, text.toLatin1());
    if (m_context.isChanged(EditorPanel::DialledNumbers))
        m_context.sendRecordNow(numbers(), index);
    if (QTreeWidgetItem *item = itemOf(index)) {
        item->setText(NumberColumn, text);
        m_list->keepSorted();
    }
}

void DialledNumberPanel::selectorLeft()
{
    const int index = m_currentExtIndex;
    if (index < 0 || RecordSlots::isFree(numbers(), index))
        return;
    const int port = VirtualPortSelector::selectedValue(*m_selector);
    // "<Unknown VP>" stands for a port that cannot be chosen; the number keeps its own.
    if (port < 0)
        return;
    TrackedRecord record(m_context, EditorPanel::DialledNumbers, numbers(), index);
    if (!record.setInteger(FieldNames::VirtualPortNo, port))
        return;
    if (QTreeWidgetItem *item = itemOf(index)) {
        item->setText(PortColumn, VirtualPortChoices::binding(virtualPorts(), port));
        m_list->keepSorted();
    }
    m_context.sendRecordNow(numbers(), index);
}

void DialledNumberPanel::popExtVPAdd()
{
    DialledNumberTable table(numbers());
    const int count = table.countInUse();
    const int index = table.addNumber();
    if (index < 0) {
        m_context.messages().show(this, QMessageBox::Information, QString(), NoSpareSlotMessage);
        return;
    }
    QTreeWidgetItem *item = addItem(index, count);
    item->setText(NumberColumn, NotSet);
    item->setCheckState(NumberColumn, Qt::Unchecked);
    item->setText(PortColumn, NotSet);
    m_list->keepSorted();
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

void DialledNumberPanel::popExtVPDelete()
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    const int index = recordOf(selected.value(0));
    if (index < 0)
        return;
    RecordClass &table = numbers();
    const QString portName = VirtualPortChoices::name(virtualPorts(), table.GetInteger(FieldNames::VirtualPortNo, index));
    const QString question = DeleteQuestionStart + QString::fromLatin1(DialledNumberTable(table).fullNumber(index))
        + QStringLiteral(" (") + portName + QStringLiteral(")?");
    const int answer = m_context.messages().show(this, QMessageBox::Question, DeleteTitle, question,
                                                 QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    table.PutBlank(index);
    RecordSlots::release(table, index);
    delete selected.value(0);
    if (m_currentExtIndex == index)
        m_currentExtIndex = -1;
    m_context.sendRecordNow(table, index);
}

void DialledNumberPanel::showMenu(const QPoint &position)
{
    m_deleteAction->setEnabled(!m_list->selectedItems().isEmpty());
    QMenu menu(this);
    menu.addAction(m_addAction);
    menu.addAction(m_deleteAction);
    menu.exec(m_list->viewport()->mapToGlobal(position));
    m_deleteAction->setEnabled(true);
}
