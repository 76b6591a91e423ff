#include "TonePanel.h"

TonePanel::TonePanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Tones"), parent)
{
    setObjectName(QStringLiteral("fmeTones"));
}
