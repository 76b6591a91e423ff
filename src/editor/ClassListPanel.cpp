#include "ClassListPanel.h"

ClassListPanel::ClassListPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Class Names"), parent)
{
    setObjectName(QStringLiteral("fmeClassList"));
}
