#pragma once

#include "editor/widgets/VirtualPortListPanel.h"

// The physical ports and the virtual port each one is bound to.
class PhysicalPortPanel : public VirtualPortListPanel
{
    Q_OBJECT

public:
    enum Column { PositionColumn = KeyColumn, PortColumn = VirtualPortListPanel::PortColumn, TerminalColumn };
    PhysicalPortPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildPhysicalVP();
    void FillPortToVirtual();

private:
    QString selectorLeaving() const;
    void selectorLeft();
};
