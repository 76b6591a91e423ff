#include "cli/ConvertCommand.h"

#include "cli/CommandArguments.h"
#include "export/ConfigurationConverter.h"
#include "model/ExchClass.h"

#include <QTextStream>

namespace {
const QString OutputName = QStringLiteral("FILE.VRS");
} // namespace

QString ConvertCommand::name() const
{
    return QStringLiteral("convert");
}

QString ConvertCommand::synopsis() const
{
    return QStringLiteral("%1 %2 %3").arg(FileOperand, OutOption, OutputName);
}

QString ConvertCommand::summary() const
{
    return QStringLiteral("Write the K7101/K7202 XML configuration of a configuration file");
}

int ConvertCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({}, {FileOperand}, {OutOption});
    if (!parse(args, arguments, err))
        return ExitCode::Usage;
    if (!args.hasValue(OutOption) || args.value(OutOption).isEmpty()) {
        err << usageProblem(QStringLiteral("missing %1 %2").arg(OutOption, OutputName)) << Qt::endl;
        return ExitCode::Usage;
    }
    const QString path = args.operand(0);
    const QString output = args.value(OutOption);
    if (sameFile(path, output)) {
        err << usageProblem(QStringLiteral("%1 must name another file than %2").arg(OutOption, FileOperand))
            << Qt::endl;
        return ExitCode::Usage;
    }

    ExchClass config;
    if (!loadConfiguration(path, config, err))
        return ExitCode::Failure;
    ConfigurationConverter converter(config);
    if (!converter.ConvertFile(output)) {
        err << converter.errorString().replace(QLatin1Char('\n'), QStringLiteral(": ")) << Qt::endl;
        return ExitCode::Failure;
    }
    out << QStringLiteral("%1: written from %2").arg(output, path) << Qt::endl;
    return ExitCode::Success;
}
