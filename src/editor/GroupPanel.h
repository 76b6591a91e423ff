#pragma once

#include <QByteArray>
#include <QGroupBox>

class PanelContext;

// One group record: its type and the grid of up to sixteen members.
class GroupPanel : public QGroupBox
{
    Q_OBJECT

public:
    GroupPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildGroupVP();
    void FillGroup(int index, const QByteArray &data, bool fromPacket);

private:
    PanelContext &m_context;
};
