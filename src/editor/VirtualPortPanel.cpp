#include "VirtualPortPanel.h"

VirtualPortPanel::VirtualPortPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Virtual Ports"), parent)
{
    setObjectName(QStringLiteral("fmeVP"));
}
