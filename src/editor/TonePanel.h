#pragma once

#include <QByteArray>
#include <QGroupBox>

class PanelContext;

// One tone record: up to sixteen steps of frequency, level and length.
class TonePanel : public QGroupBox
{
    Q_OBJECT

public:
    TonePanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildToneFreqs();
    void FillTone(int index);

private:
    PanelContext &m_context;
};
