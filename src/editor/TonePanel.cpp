#include "TonePanel.h"

#include "PanelContext.h"

TonePanel::TonePanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Tones"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeTones"));
}

void TonePanel::BuildToneFreqs()
{
}

void TonePanel::FillTone(int)
{
}
