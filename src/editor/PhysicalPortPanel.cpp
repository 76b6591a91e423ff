#include "PhysicalPortPanel.h"

PhysicalPortPanel::PhysicalPortPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Physical Ports"), parent)
{
    setObjectName(QStringLiteral("fmePhysical"));
}
