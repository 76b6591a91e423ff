#include "cli/DumpCommand.h"

#include "cli/CommandArguments.h"
#include "cli/ConfigurationListing.h"
#include "model/ExchClass.h"

#include <QTextStream>

QString DumpCommand::name() const
{
    return QStringLiteral("dump");
}

QString DumpCommand::synopsis() const
{
    return QStringLiteral("[%1] %2").arg(JsonFlag, FileOperand);
}

QString DumpCommand::summary() const
{
    return QStringLiteral("List every structure, field and record of a configuration file");
}

int DumpCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({JsonFlag}, {FileOperand});
    if (!parse(args, arguments, err))
        return ExitCode::Usage;

    const QString path = args.operand(0);
    ExchClass config;
    if (!loadConfiguration(path, config, err))
        return ExitCode::Failure;

    const ConfigurationListing listing(config);
    if (args.isSet(JsonFlag)) {
        listing.writeJson(out, path);
    } else {
        out << QStringLiteral("File: %1\n").arg(path);
        listing.writeText(out);
    }
    out.flush();
    return ExitCode::Success;
}
