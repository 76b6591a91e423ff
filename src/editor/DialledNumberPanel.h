#pragma once

#include <QByteArray>
#include <QGroupBox>

class PanelContext;

// The dialled numbers and the virtual port each one reaches.
class DialledNumberPanel : public QGroupBox
{
    Q_OBJECT

public:
    DialledNumberPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildExtVP();
    void FillExtToVirtual();

private:
    PanelContext &m_context;
};
