#include "analysis/ConfigurationProblem.h"

#include "model/ExchClass.h"
#include "model/RecordLabel.h"

QString ConfigurationProblem::severityText() const
{
    return severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
}

QString ConfigurationProblem::memberName() const
{
    return member >= 0 && member < ExchClass::MemberCount ? QLatin1String(ExchClass::info(member).name) : QString();
}

QString ConfigurationProblem::label() const
{
    return label(member, record, name);
}

QString ConfigurationProblem::label(int member, int record, const QString &name)
{
    const QString label = RecordLabel::structureTitle(member) + QLatin1Char(' ') + QString::number(record);
    return name.isEmpty() ? label : label + QStringLiteral(" (") + name + QLatin1Char(')');
}

QString ConfigurationProblem::text() const
{
    return label() + QStringLiteral(": ") + message;
}
