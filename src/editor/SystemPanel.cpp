#include "SystemPanel.h"

SystemPanel::SystemPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("System Parameters"), parent)
{
    setObjectName(QStringLiteral("fmeSystem"));
}
