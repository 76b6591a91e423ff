#include "ClassListPanel.h"

#include "PanelContext.h"

ClassListPanel::ClassListPanel(PanelContext &context, QWidget *parent)
    : QGroupBox(QStringLiteral("Class Names"), parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("fmeClassList"));
}

QList<BitEntry> ClassListPanel::populate()
{
    return {};
}

void ClassListPanel::FillClassLists(const QByteArray &)
{
}

void ClassListPanel::CopyClass()
{
}

void ClassListPanel::AddNewClass()
{
}

void ClassListPanel::DeleteClass()
{
}
