#include "SystemPanel.h"

#include "PanelContext.h"

SystemPanel::SystemPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("System Parameters"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeSystem"));
}

void SystemPanel::FillSystem(int, const QByteArray &, bool)
{
}
