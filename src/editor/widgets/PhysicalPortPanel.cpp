#include "editor/widgets/PhysicalPortPanel.h"

#include "editor/PanelContext.h"
#include "editor/VirtualPortChoices.h"
#include "editor/widgets/LeaveWatcher.h"
#include "editor/widgets/SortingListView.h"
#include "model/FieldNames.h"
#include "model/PhysicalPortNames.h"
#include "model/RecordClass.h"

#include <QComboBox>

namespace {
const QString SelectPortMessage = QStringLiteral("Select a Virtual Port");
} // namespace

PhysicalPortPanel::PhysicalPortPanel(PanelContext &context, QWidget *parent)
    : VirtualPortListPanel(QStringLiteral("Physical Ports"), context, EditorPanel::PhysicalPorts,
                           {QStringLiteral("fmePhysical"),
                            QStringLiteral("lvwPorts"),
                            {QStringLiteral("Board Posn"), QStringLiteral("Virtual Port"), QStringLiteral("Term Name")},
                            QStringLiteral("cboPhysicalVP"),
                            QStringLiteral("Change values here"),
                            QStringLiteral("H"),
                            FieldNames::VirtPort},
                           parent)
{
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LeaveWatcher::watch(
        m_selector, m_context.messages(), [this] { return selectorLeaving(); }, [this] { selectorLeft(); });
}

void PhysicalPortPanel::BuildPhysicalVP()
{
    fillSelector();
}

void PhysicalPortPanel::FillPortToVirtual()
{
    m_context.setFilling(true);
    const RecordClass &ports = table();
    m_list->clear();
    forgetCurrent();
    for (int p = 0; p < ports.Records(); ++p) {
        const int port = ports.GetInteger(FieldNames::VirtPort, p);
        if (port == PhysicalPortNames::NoPort)
            continue;
        QTreeWidgetItem *item = addRow(p);
        item->setText(PositionColumn, PhysicalPortNames::boardPosition(p));
        // "Board 10; Port 2" would sort before "Board 2; Port 1" as text.
        item->setData(PositionColumn, SortingListView::SortKeyRole, p);
        item->setText(PortColumn, VirtualPortChoices::binding(virtualPorts(), port));
        item->setText(TerminalColumn, PhysicalPortNames::terminalName(p));
    }
    m_list->keepSorted();
    m_context.setFilling(false);
}

QString PhysicalPortPanel::selectorLeaving() const
{
    if (currentIndex() >= 0 && selectedPort() < 0)
        return SelectPortMessage;
    return QString();
}

void PhysicalPortPanel::selectorLeft()
{
    const int index = currentIndex();
    const int port = selectedPort();
    if (index < 0 || port < 0)
        return;
    bindPort(index, port);
}
