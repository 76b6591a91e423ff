#include "cli/DiffCommand.h"

#include "analysis/ByteText.h"
#include "analysis/ConfigurationComparison.h"
#include "cli/CommandArguments.h"
#include "cli/FieldValueJson.h"
#include "cli/JsonStream.h"
#include "model/ExchClass.h"

#include <QTextStream>

namespace {
const QString OldOperand = QStringLiteral("A.QBF");
const QString NewOperand = QStringLiteral("B.QBF");
constexpr int Identical = 0;
constexpr int Different = 1;
constexpr int Trouble = 2;

QString kindName(ConfigurationChange::Kind kind)
{
    switch (kind) {
    case ConfigurationChange::Kind::Field:
        return QStringLiteral("field");
    case ConfigurationChange::Kind::Usage:
        return QStringLiteral("usage");
    case ConfigurationChange::Kind::Record:
        return QStringLiteral("record");
    }
    return QString();
}

// "ACL record 2 (Dist 1): Name "Dist 1" -> "Changed Name""
QString changeLine(const ConfigurationChange &change)
{
    QString line = change.memberName() + QStringLiteral(" record ") + QString::number(change.record);
    if (!change.recordName.isEmpty())
        line += QStringLiteral(" (") + ByteText::escaped(change.recordName.toLatin1()) + QLatin1Char(')');
    return line + QStringLiteral(": ") + change.changeText();
}

QString layoutLine(const LayoutChange &change)
{
    return QLatin1String(ExchClass::info(change.member).name) + QStringLiteral(" layout: ") + change.item
        + QLatin1Char(' ') + change.oldText + QStringLiteral(" -> ") + change.newText;
}

void writeSide(JsonStream &json, const ConfigurationChange &change, ConfigurationChange::Use use,
               const std::optional<FieldValue> &value)
{
    if (change.kind == ConfigurationChange::Kind::Usage)
        json.string(ConfigurationChange::useText(use));
    else if (value)
        FieldValueJson::write(json, *value);
    else
        json.null();
}
} // namespace

QString DiffCommand::name() const
{
    return QStringLiteral("diff");
}

QString DiffCommand::synopsis() const
{
    return QStringLiteral("[%1] %2 %3").arg(JsonFlag, OldOperand, NewOperand);
}

QString DiffCommand::summary() const
{
    return QStringLiteral("List what changed from one configuration file to another "
                          "(exit 0 when the same, 1 when they differ, 2 for trouble)");
}

int DiffCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    m_usageError = false;
    CommandArguments args({JsonFlag}, {OldOperand, NewOperand});
    if (!parse(args, arguments, err)) {
        m_usageError = true;
        return Trouble;
    }

    ExchClass oldConfig;
    ExchClass newConfig;
    if (!loadConfiguration(args.operand(0), oldConfig, err) || !loadConfiguration(args.operand(1), newConfig, err))
        return Trouble;

    const ConfigurationComparison comparison(oldConfig, newConfig);
    if (args.isSet(JsonFlag))
        writeJson(out, comparison);
    else
        writeText(out, comparison);
    out.flush();
    return comparison.identical() ? Identical : Different;
}

// Each structure's layout changes first, then its records'.
void DiffCommand::writeText(QTextStream &out, const ConfigurationComparison &comparison)
{
    const QList<LayoutChange> &layouts = comparison.layoutChanges();
    const QList<ConfigurationChange> &changes = comparison.changes();
    qsizetype layout = 0;
    qsizetype change = 0;
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        for (; layout < layouts.size() && layouts.at(layout).member == member; ++layout)
            out << layoutLine(layouts.at(layout)) << QLatin1Char('\n');
        for (; change < changes.size() && changes.at(change).member == member; ++change)
            out << changeLine(changes.at(change)) << QLatin1Char('\n');
    }
}

// Keys in sorted order, as dump writes them.
void DiffCommand::writeJson(QTextStream &out, const ConfigurationComparison &comparison)
{
    JsonStream json(out);
    const auto text = [&json](const QString &key, const QString &value) {
        json.key(key);
        json.string(value);
    };
    json.beginObject();
    json.key(QStringLiteral("changes"));
    json.beginArray();
    for (const ConfigurationChange &change : comparison.changes()) {
        json.beginObject();
        json.key(QStringLiteral("field"));
        if (change.kind == ConfigurationChange::Kind::Field)
            json.string(change.field);
        else
            json.null();
        text(QStringLiteral("kind"), kindName(change.kind));
        text(QStringLiteral("label"), change.recordLabel);
        text(QStringLiteral("member"), change.memberName());
        json.key(QStringLiteral("new"));
        writeSide(json, change, change.newUse, change.newValue);
        json.key(QStringLiteral("old"));
        writeSide(json, change, change.oldUse, change.oldValue);
        json.key(QStringLiteral("record"));
        json.number(change.record);
        json.endObject();
    }
    json.endArray();
    json.key(QStringLiteral("layouts"));
    json.beginArray();
    for (const LayoutChange &change : comparison.layoutChanges()) {
        json.beginObject();
        text(QStringLiteral("item"), change.item);
        text(QStringLiteral("member"), QLatin1String(ExchClass::info(change.member).name));
        text(QStringLiteral("new"), change.newText);
        text(QStringLiteral("old"), change.oldText);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}
