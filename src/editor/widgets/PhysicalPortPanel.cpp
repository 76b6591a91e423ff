#include "PhysicalPortPanel.h"

#include "ExchClass.h"
#include "FieldNames.h"
#include "LeaveWatcher.h"
#include "PanelContext.h"
#include "PhysicalPortNames.h"
#include "SortingListView.h"
#include "TrackedRecord.h"
#include "VirtualPortChoices.h"
#include "VirtualPortSelector.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const QString KeyPrefix = QStringLiteral("H");
constexpr int KeyRole = Qt::UserRole;
const QString SelectPortMessage = QStringLiteral("Select a Virtual Port");

constexpr int PositionColumnWidth = 150;
constexpr int PortColumnWidth = 220;
} // namespace

PhysicalPortPanel::PhysicalPortPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Physical Ports"), parent)
    , m_context(context)
    , m_list(new SortingListView(this))
    , m_selector(new QComboBox(this))
{
    setObjectName(QStringLiteral("fmePhysical"));

    m_list->setObjectName(QStringLiteral("lvwPorts"));
    m_list->setHeaderLabels({QStringLiteral("Board Posn"), QStringLiteral("Virtual Port"), QStringLiteral("Term Name")});
    m_list->header()->resizeSection(PositionColumn, PositionColumnWidth);
    m_list->header()->resizeSection(PortColumn, PortColumnWidth);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_selector->setObjectName(QStringLiteral("cboPhysicalVP"));
    auto *selectorFrame = new QGroupBox(QStringLiteral("Change values here"), this);
    auto *selectorLabel = new QLabel(QStringLiteral("Virtual Port:"), selectorFrame);
    selectorLabel->setBuddy(m_selector);
    auto *selectorLayout = new QHBoxLayout(selectorFrame);
    selectorLayout->addWidget(selectorLabel);
    selectorLayout->addWidget(m_selector, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(selectorFrame);

    connect(m_list, &QTreeWidget::itemClicked, this, &PhysicalPortPanel::itemChosen);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &PhysicalPortPanel::itemChosen);
    LeaveWatcher::watch(
        m_selector, m_context.messages(), [this] { return selectorLeaving(); }, [this] { selectorLeft(); });
}

RecordClass &PhysicalPortPanel::ports() const
{
    return m_context.configuration().PortToVirtual();
}

RecordClass &PhysicalPortPanel::virtualPorts() const
{
    return m_context.configuration().VirtualPorts();
}

void PhysicalPortPanel::showRecord(int index)
{
    if (QTreeWidgetItem *item = m_list->findKey(KeyPrefix + QString::number(index))) {
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
    }
}

int PhysicalPortPanel::recordOf(const QTreeWidgetItem *item)
{
    if (!item)
        return -1;
    bool ok = false;
    const int index = item->data(PositionColumn, KeyRole).toString().mid(KeyPrefix.size()).toInt(&ok);
    return ok ? index : -1;
}

void PhysicalPortPanel::BuildPhysicalVP()
{
    VirtualPortSelector::fill(*m_selector, virtualPorts());
}

void PhysicalPortPanel::FillPortToVirtual()
{
    m_context.setFilling(true);
    const RecordClass &table = ports();
    m_list->clear();
    m_currentPortIndex = -1;
    for (int p = 0; p < table.Records(); ++p) {
        const int port = table.GetInteger(FieldNames::VirtPort, p);
        if (port == PhysicalPortNames::NoPort)
            continue;
        auto *item = new SortingListView::Item(m_list);
        item->setData(PositionColumn, KeyRole, KeyPrefix + QString::number(p));
        item->setText(PositionColumn, PhysicalPortNames::boardPosition(p));
        // "Board 10; Port 2" would sort before "Board 2; Port 1" as text.
        item->setData(PositionColumn, SortingListView::SortKeyRole, p);
        item->setText(PortColumn, VirtualPortChoices::binding(virtualPorts(), port));
        item->setText(TerminalColumn, PhysicalPortNames::terminalName(p));
    }
    m_list->keepSorted();
    m_context.setFilling(false);
}

void PhysicalPortPanel::itemChosen(QTreeWidgetItem *item)
{
    const int index = recordOf(item);
    if (index < 0)
        return;
    m_currentPortIndex = index;
    VirtualPortSelector::select(*m_selector, ports().GetInteger(FieldNames::VirtPort, index));
}

QString PhysicalPortPanel::selectorLeaving() const
{
    if (m_currentPortIndex >= 0 && VirtualPortSelector::selectedValue(*m_selector) < 0)
        return SelectPortMessage;
    return QString();
}

void PhysicalPortPanel::selectorLeft()
{
    const int index = m_currentPortIndex;
    const int port = VirtualPortSelector::selectedValue(*m_selector);
    if (index < 0 || port < 0)
        return;
    TrackedRecord record(m_context, EditorPanel::PhysicalPorts, ports(), index);
    if (!record.setInteger(FieldNames::VirtPort, port))
        return;
    if (QTreeWidgetItem *item = m_list->findKey(KeyPrefix + QString::number(index))) {
        item->setText(PortColumn, VirtualPortChoices::binding(virtualPorts(), port));
        m_list->keepSorted();
    }
    m_context.sendRecordNow(ports(), index);
}
