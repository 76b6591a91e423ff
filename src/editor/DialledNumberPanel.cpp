#include "DialledNumberPanel.h"

DialledNumberPanel::DialledNumberPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Dialled Number To VirtualPorts"), parent)
{
    setObjectName(QStringLiteral("fmeExtToVP"));
}
