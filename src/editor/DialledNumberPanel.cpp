#include "DialledNumberPanel.h"

#include "PanelContext.h"

DialledNumberPanel::DialledNumberPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Dialled Number To VirtualPorts"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeExtToVP"));
}

void DialledNumberPanel::BuildExtVP()
{
}

void DialledNumberPanel::FillExtToVirtual()
{
}
