#include "AclPanel.h"

#include "PanelContext.h"

AclPanel::AclPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Access Control List"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeACL"));
}

void AclPanel::BuildRights()
{
}

void AclPanel::FillACL(int, const QByteArray &, bool)
{
}

void AclPanel::setClassEntries(const QList<BitEntry> &)
{
}
