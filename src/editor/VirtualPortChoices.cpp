#include "editor/VirtualPortChoices.h"

#include "model/FieldNames.h"
#include "model/RecordClass.h"
#include "model/RecordLabel.h"
#include "model/RecordSlots.h"

namespace {
const QString UnknownText = QStringLiteral("<Unknown VP>");
} // namespace

QList<VirtualPortChoices::Choice> VirtualPortChoices::build(const RecordClass &virtualPorts)
{
    QList<Choice> choices;
    for (int n = 0; n < virtualPorts.Records(); ++n) {
        if (!RecordSlots::isInUseAndEnabled(virtualPorts, n))
            continue;
        choices.append({RecordLabel::numbered(n, virtualPorts.GetString(FieldNames::Name, n)), n});
    }
    choices.append({UnknownText, UnknownValue});
    return choices;
}

QString VirtualPortChoices::name(const RecordClass &virtualPorts, int index)
{
    // A binding to a port the table does not have would only fill the log.
    if (index < 0 || index >= virtualPorts.Records())
        return QString();
    return QString::fromLatin1(virtualPorts.GetString(FieldNames::Name, index));
}

QString VirtualPortChoices::binding(const RecordClass &virtualPorts, int index)
{
    return QString::number(index) + QStringLiteral(" (") + name(virtualPorts, index) + QLatin1Char(')');
}
