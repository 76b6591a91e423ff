#include "cli/ValidateCommand.h"

#include "analysis/ConfigurationCheck.h"
#include "cli/CommandArguments.h"
#include "cli/JsonStream.h"
#include "model/ExchClass.h"

#include <QTextStream>

namespace {
// Keys in sorted order, as a QJsonObject would list them.
void writeJson(QTextStream &out, const QList<ConfigurationProblem> &problems)
{
    JsonStream json(out);
    json.beginObject();
    json.key(QStringLiteral("problems"));
    json.beginArray();
    for (const ConfigurationProblem &p : problems) {
        json.beginObject();
        json.key(QStringLiteral("field"));
        json.string(p.field);
        json.key(QStringLiteral("member"));
        json.string(p.memberName());
        json.key(QStringLiteral("message"));
        json.string(p.message);
        json.key(QStringLiteral("record"));
        json.number(p.record);
        json.key(QStringLiteral("rule"));
        json.string(p.rule);
        json.key(QStringLiteral("severity"));
        json.string(p.severityText());
        json.endObject();
    }
    json.endArray();
    json.endObject();
}
} // namespace

void ValidateCommand::writeText(QTextStream &out, const QString &label, const QList<ConfigurationProblem> &problems)
{
    for (const ConfigurationProblem &p : problems) {
        out << p.severityText() << QStringLiteral(": ") << p.memberName() << QStringLiteral(" record ") << p.record;
        if (!p.name.isEmpty())
            out << QStringLiteral(" (") << p.name << QLatin1Char(')');
        out << QStringLiteral(": ") << p.message << QLatin1Char('\n');
    }
    out << label << QStringLiteral(": ") << ConfigurationCheck::summary(problems) << QLatin1Char('\n');
}

QString ValidateCommand::name() const
{
    return QStringLiteral("validate");
}

QString ValidateCommand::synopsis() const
{
    return QStringLiteral("[%1] %2").arg(JsonFlag, FileOperand);
}

QString ValidateCommand::summary() const
{
    return QStringLiteral("Check a configuration for clashing numbers, references to free records and other faults");
}

// A file that cannot be checked is no answer to "is it safe to send?", so it
// exits as a usage error does, apart from the 1 that means "it has errors".
int ValidateCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({JsonFlag}, {FileOperand});
    if (!parse(args, arguments, err))
        return ExitCode::Usage;

    const QString path = args.operand(0);
    ExchClass config;
    if (!loadConfiguration(path, config, err))
        return ExitCode::Usage;

    const QList<ConfigurationProblem> problems = ConfigurationCheck(config).problems();
    if (args.isSet(JsonFlag))
        writeJson(out, problems);
    else
        writeText(out, path, problems);
    out.flush();
    return ConfigurationCheck::hasErrors(problems) ? ExitCode::Failure : ExitCode::Success;
}
