#include "cli/ExportCsvCommand.h"

#include "cli/CommandArguments.h"
#include "cli/StructureOption.h"
#include "csv/CsvExport.h"
#include "model/ExchClass.h"

#include <QTextStream>

namespace {
const QString UsedOnlyFlag = QStringLiteral("--used-only");
const QString OutputName = QStringLiteral("FILE.csv");
} // namespace

QString ExportCsvCommand::name() const
{
    return QStringLiteral("export-csv");
}

QString ExportCsvCommand::synopsis() const
{
    return QStringLiteral("%1 %2 %3 [%4 %5] [%6]")
        .arg(FileOperand, StructureOption::Option, StructureOption::Placeholder, OutOption, OutputName, UsedOnlyFlag);
}

QString ExportCsvCommand::summary() const
{
    return QStringLiteral("Write one structure of a configuration file as a CSV table, a row per record");
}

int ExportCsvCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({UsedOnlyFlag}, {FileOperand}, {StructureOption::Option, OutOption});
    if (!parse(args, arguments, err))
        return ExitCode::Usage;
    QString problem;
    const int member = StructureOption::member(args, &problem);
    if (member < 0) {
        err << usageProblem(problem) << Qt::endl;
        return ExitCode::Usage;
    }
    const QString path = args.operand(0);
    const QString output = args.value(OutOption);
    if (args.hasValue(OutOption) && (output.isEmpty() || sameFile(path, output))) {
        err << usageProblem(QStringLiteral("%1 must name another file than %2").arg(OutOption, FileOperand))
            << Qt::endl;
        return ExitCode::Usage;
    }

    ExchClass config;
    if (!loadConfiguration(path, config, err))
        return ExitCode::Failure;
    const bool usedOnly = args.isSet(UsedOnlyFlag);
    if (!args.hasValue(OutOption)) {
        out << QString::fromUtf8(CsvExport::write(config, member, usedOnly));
        return ExitCode::Success;
    }
    QString error;
    if (!CsvExport::save(config, member, usedOnly, output, &error)) {
        err << error << Qt::endl;
        return ExitCode::Failure;
    }
    out << QStringLiteral("%1: %2 written from %3").arg(output, QLatin1String(ExchClass::info(member).name), path)
        << Qt::endl;
    return ExitCode::Success;
}
