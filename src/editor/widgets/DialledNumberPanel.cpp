#include "editor/widgets/DialledNumberPanel.h"

#include "editor/DialledNumberTable.h"
#include "editor/PanelContext.h"
#include "editor/TrackedRecord.h"
#include "editor/VirtualPortChoices.h"
#include "editor/widgets/LeaveWatcher.h"
#include "editor/widgets/NumberEditDelegate.h"
#include "editor/widgets/SortingListView.h"
#include "model/FieldNames.h"
#include "model/RecordClass.h"
#include "model/RecordSlots.h"
#include "shell/MessageService.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace {
const QString NotSet = QStringLiteral("Not Set");

const QString ChangingNumbersTitle = QStringLiteral("Changing Numbers");
const QString NotANumberMessage = QStringLiteral("A dialled number must be the digits 0-9 only");
const QString SameNumberMessage = QStringLiteral("There is another port with this number");
const QString OverlappingMessage = QStringLiteral("There are other ports which clash with this number");
const QString TooLongMessage = QStringLiteral("This number has more digits than the exchange can store");
const QString NoSpareSlotMessage = QStringLiteral("No Spare Number slots available");
const QString DeleteTitle = QStringLiteral("Delete Dialled Number");
const QString DeleteQuestionStart = QStringLiteral("Are you sure you want to delete ");
} // namespace

DialledNumberPanel::DialledNumberPanel(PanelContext &context, QWidget *parent)
    : VirtualPortListPanel(QStringLiteral("Dialled Number To VirtualPorts"), context, EditorPanel::DialledNumbers,
                           {QStringLiteral("fmeExtToVP"),
                            QStringLiteral("lvwExtVP"),
                            {QStringLiteral("Dialled Number"), QStringLiteral("Virtual Port"), QStringLiteral("Entry")},
                            QStringLiteral("cboExtToVP"),
                            QStringLiteral("Change Virtual Port Here"),
                            QStringLiteral("E"),
                            FieldNames::VirtualPortNo},
                           parent)
    , m_addAction(new QAction(QStringLiteral("Add New Dial Number"), this))
    , m_deleteAction(new QAction(QStringLiteral("Delete Number"), this))
{
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::SelectedClicked);
    m_list->setItemDelegate(new NumberEditDelegate(
        NumberColumn, m_list,
        [this](const QModelIndex &index) { startLabelEdit(recordOf(m_list->itemFromIndex(index))); },
        [this](const QString &text) {
            // After the editor has closed: a message box must not pull the focus from under it.
            QMetaObject::invokeMethod(
                this, [this, text] { endLabelEdit(text); }, Qt::QueuedConnection);
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

    connect(m_list, &QTreeWidget::itemChanged, this, &DialledNumberPanel::itemChecked);
    connect(m_list, &QWidget::customContextMenuRequested, this, &DialledNumberPanel::showMenu);
    connect(m_addAction, &QAction::triggered, this, &DialledNumberPanel::popExtVPAdd);
    connect(m_deleteAction, &QAction::triggered, this, &DialledNumberPanel::popExtVPDelete);
    LeaveWatcher::watch(m_selector, [this] { selectorLeft(); });
}

void DialledNumberPanel::BuildExtVP()
{
    fillSelector();
}

void DialledNumberPanel::FillExtToVirtual()
{
    m_context.setFilling(true);
    RecordClass &numbers = table();
    const DialledNumberTable numberTable(numbers);
    const int count = numberTable.countInUse();
    m_list->clear();
    forgetCurrent();
    m_editIndex = -1;
    for (int i = 0; i < numbers.Records(); ++i) {
        if (RecordSlots::isFree(numbers, i))
            continue;
        QTreeWidgetItem *item = addItem(i, count);
        item->setText(NumberColumn, QString::fromLatin1(numberTable.fullNumber(i)));
        item->setCheckState(NumberColumn,
                            numbers.GetBoolean(FieldNames::Flag, i, RecordSlots::EnabledBit) ? Qt::Checked
                                                                                             : Qt::Unchecked);
        item->setText(PortColumn,
                      VirtualPortChoices::name(virtualPorts(), numbers.GetInteger(FieldNames::VirtualPortNo, i)));
    }
    m_list->keepSorted();
    m_context.setFilling(false);
}

QTreeWidgetItem *DialledNumberPanel::addItem(int index, int countInUse)
{
    QTreeWidgetItem *item = addRow(index);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
    item->setText(IndexColumn, DialledNumberTable::PadCount(index, countInUse));
    // Sorted as numbers: the padding follows the count in use, not the highest index.
    item->setData(IndexColumn, SortingListView::SortKeyRole, index);
    return item;
}

void DialledNumberPanel::itemChecked(QTreeWidgetItem *item, int column)
{
    // Items also change while they are being put together, before they have a box.
    if (m_context.isFilling() || column != NumberColumn || !item->data(NumberColumn, Qt::CheckStateRole).isValid())
        return;
    const int index = recordOf(item);
    if (index < 0 || RecordSlots::isFree(table(), index))
        return;
    TrackedRecord record(m_context, EditorPanel::DialledNumbers, table(), index);
    const bool enabled = item->checkState(NumberColumn) == Qt::Checked;
    // The tree click sends only record 0 of this table, so the record that
    // changed goes now, like every other edit of a number.
    if (record.setBoolean(FieldNames::Flag, RecordSlots::EnabledBit, enabled))
        m_context.sendRecordNow(table(), index);
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
    if (index < 0 || RecordSlots::isFree(table(), index))
        return;
    DialledNumberTable numberTable(table());
    switch (numberTable.check(text, index)) {
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
    TrackedRecord record(m_context, EditorPanel::DialledNumbers, table(), index);
    numberTable.store(record, text.toLatin1());
    if (m_context.isChanged(EditorPanel::DialledNumbers))
        m_context.sendRecordNow(table(), index);
    if (QTreeWidgetItem *item = itemOf(index)) {
        item->setText(NumberColumn, text);
        m_list->keepSorted();
    }
}

void DialledNumberPanel::selectorLeft()
{
    const int index = currentIndex();
    if (index < 0 || RecordSlots::isFree(table(), index))
        return;
    const int port = selectedPort();
    // "<Unknown VP>" stands for a port that cannot be chosen; the number keeps its own.
    if (port < 0)
        return;
    bindPort(index, port);
}

void DialledNumberPanel::popExtVPAdd()
{
    DialledNumberTable numberTable(table());
    const int count = numberTable.countInUse();
    const int index = numberTable.addNumber();
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
    RecordClass &numbers = table();
    const QString portName =
        VirtualPortChoices::name(virtualPorts(), numbers.GetInteger(FieldNames::VirtualPortNo, index));
    const QString question = DeleteQuestionStart + QString::fromLatin1(DialledNumberTable(numbers).fullNumber(index))
        + QStringLiteral(" (") + portName + QStringLiteral(")?");
    const int answer = m_context.messages().show(this, QMessageBox::Question, DeleteTitle, question,
                                                 QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    numbers.PutBlank(index);
    RecordSlots::release(numbers, index);
    delete selected.value(0);
    if (currentIndex() == index)
        forgetCurrent();
    m_context.sendRecordNow(numbers, index);
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
