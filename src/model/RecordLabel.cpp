#include "model/RecordLabel.h"

#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"

namespace {
const char *const Titles[ExchClass::MemberCount] = {
    "Class List", "ACL", "Virtual Ports", "System", "Groups", "Rights", "Port To Virtual", "Ext To Virtual", "Tones",
};
const QString NoName = QStringLiteral("<No Name>");
} // namespace

QString RecordLabel::structureTitle(int member)
{
    return member >= 0 && member < ExchClass::MemberCount ? QLatin1String(Titles[member]) : QString();
}

QString RecordLabel::record(const ExchClass &config, int member, int index)
{
    if (member < 0 || member >= ExchClass::MemberCount)
        return record(member, index, QByteArray());
    const RecordClass &structure = config.member(member);
    // Asking a structure without names for one would log a diagnostic.
    if (structure.GetType(FieldNames::Name) != FieldType::String || index < 0 || index >= structure.Records())
        return record(member, index, QByteArray());
    return record(member, index, structure.GetString(FieldNames::Name, index));
}

QString RecordLabel::record(int member, int index, const QByteArray &name)
{
    const QString label = structureTitle(member) + QLatin1Char(' ') + QString::number(index);
    return name.isEmpty() ? label : label + QStringLiteral(" (%1)").arg(QString::fromLatin1(name));
}

QString RecordLabel::numbered(int index, const QByteArray &name)
{
    return QString::number(index) + QStringLiteral(" - ") + (name.isEmpty() ? NoName : QString::fromLatin1(name));
}
