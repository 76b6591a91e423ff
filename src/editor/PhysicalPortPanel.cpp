#include "PhysicalPortPanel.h"

#include "PanelContext.h"

PhysicalPortPanel::PhysicalPortPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Physical Ports"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmePhysical"));
}

void PhysicalPortPanel::BuildPhysicalVP()
{
}

void PhysicalPortPanel::FillPortToVirtual()
{
}
