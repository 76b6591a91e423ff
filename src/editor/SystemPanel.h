#pragma once

#include <QByteArray>
#include <QGroupBox>

class PanelContext;

// The system parameters: the single record of exchange-wide settings.
class SystemPanel : public QGroupBox
{
    Q_OBJECT

public:
    SystemPanel(PanelContext &context, QWidget *parent = nullptr);

    void FillSystem(int index, const QByteArray &data, bool fromPacket);

private:
    PanelContext &m_context;
};
