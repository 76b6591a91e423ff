#include "GroupPanel.h"

GroupPanel::GroupPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Groups"), parent)
{
    setObjectName(QStringLiteral("fmeGroup"));
}
