#include "GroupPanel.h"

#include "PanelContext.h"

GroupPanel::GroupPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Groups"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeGroup"));
}

void GroupPanel::BuildGroupVP()
{
}

void GroupPanel::FillGroup(int, const QByteArray &, bool)
{
}
