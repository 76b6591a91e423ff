#include "editor/widgets/VirtualPortListPanel.h"

#include "editor/DocumentEditor.h"
#include "editor/PanelContext.h"
#include "editor/TrackedRecord.h"
#include "editor/VirtualPortChoices.h"
#include "editor/widgets/SortingListView.h"
#include "model/ExchClass.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int KeyColumnWidth = 150;
constexpr int PortColumnWidth = 220;
} // namespace

VirtualPortListPanel::VirtualPortListPanel(const QString &title, PanelContext &context, EditorPanel panel, Names names,
                                           QWidget *parent)
    : QGroupBox(title, parent)
    , m_context(context)
    , m_list(new SortingListView(this))
    , m_selector(new QComboBox(this))
    , m_panel(panel)
    , m_names(std::move(names))
{
    setObjectName(m_names.panel);

    m_list->setObjectName(m_names.list);
    m_list->setHeaderLabels(m_names.headers);
    m_list->header()->resizeSection(KeyColumn, KeyColumnWidth);
    m_list->header()->resizeSection(PortColumn, PortColumnWidth);

    m_selector->setObjectName(m_names.selector);
    auto *selectorFrame = new QGroupBox(m_names.selectorFrame, this);
    auto *selectorLabel = new QLabel(QStringLiteral("Virtual Port:"), selectorFrame);
    selectorLabel->setBuddy(m_selector);
    auto *selectorLayout = new QHBoxLayout(selectorFrame);
    selectorLayout->addWidget(selectorLabel);
    selectorLayout->addWidget(m_selector, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(selectorFrame);

    connect(m_list, &QTreeWidget::itemClicked, this, &VirtualPortListPanel::itemChosen);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &VirtualPortListPanel::itemChosen);
}

RecordClass &VirtualPortListPanel::table() const
{
    return DocumentEditor::structureOf(m_context.configuration(), m_panel);
}

RecordClass &VirtualPortListPanel::virtualPorts() const
{
    return m_context.configuration().VirtualPorts();
}

int VirtualPortListPanel::recordOf(const QTreeWidgetItem *item) const
{
    if (!item)
        return -1;
    bool ok = false;
    const int index = item->data(KeyColumn, KeyRole).toString().mid(m_names.keyPrefix.size()).toInt(&ok);
    return ok ? index : -1;
}

QTreeWidgetItem *VirtualPortListPanel::itemOf(int index) const
{
    return m_list->findKey(m_names.keyPrefix + QString::number(index));
}

QTreeWidgetItem *VirtualPortListPanel::addRow(int index)
{
    auto *item = new SortingListView::Item(m_list);
    item->setData(KeyColumn, KeyRole, m_names.keyPrefix + QString::number(index));
    return item;
}

void VirtualPortListPanel::showRecord(int index)
{
    if (QTreeWidgetItem *item = itemOf(index)) {
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
    }
}

void VirtualPortListPanel::fillSelector()
{
    m_selector->clear();
    for (const VirtualPortChoices::Choice &choice : VirtualPortChoices::build(virtualPorts()))
        m_selector->addItem(choice.text, choice.value);
}

int VirtualPortListPanel::selectedPort() const
{
    return m_selector->currentIndex() >= 0 ? m_selector->currentData().toInt() : VirtualPortChoices::UnknownValue;
}

void VirtualPortListPanel::itemChosen(QTreeWidgetItem *item)
{
    const int index = recordOf(item);
    if (index < 0)
        return;
    m_currentIndex = index;
    // A port no choice holds shows as the last choice, "<Unknown VP>".
    const int found = m_selector->findData(table().GetInteger(m_names.portField, index));
    m_selector->setCurrentIndex(found >= 0 ? found : m_selector->count() - 1);
}

void VirtualPortListPanel::bindPort(int index, int port)
{
    TrackedRecord record(m_context, m_panel, table(), index);
    if (!record.setInteger(m_names.portField, port))
        return;
    if (QTreeWidgetItem *item = itemOf(index)) {
        item->setText(PortColumn, VirtualPortChoices::binding(virtualPorts(), port));
        m_list->keepSorted();
    }
    m_context.sendRecordNow(table(), index);
}
