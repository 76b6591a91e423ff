#include "VirtualPortPanel.h"

#include "PanelContext.h"

VirtualPortPanel::VirtualPortPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Virtual Ports"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeVP"));
}

void VirtualPortPanel::BuildVPACL()
{
}

void VirtualPortPanel::BuildVPGroups()
{
}

void VirtualPortPanel::FillVP(int, const QByteArray &, bool)
{
}

void VirtualPortPanel::setClassEntries(const QList<BitEntry> &)
{
}
