#pragma once

#include <QByteArray>
#include <QGroupBox>

class PanelContext;

// The physical ports and the virtual port each one is bound to.
class PhysicalPortPanel : public QGroupBox
{
    Q_OBJECT

public:
    PhysicalPortPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildPhysicalVP();
    void FillPortToVirtual();

private:
    PanelContext &m_context;
};
