#include "AclPanel.h"

AclPanel::AclPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Access Control List"), parent)
{
    setObjectName(QStringLiteral("fmeACL"));
}
