#include "cli/ExportCsvCommand.h"

#include "cli/CommandArguments.h"
#include "csv/CsvExport.h"
#include "csv/CsvTable.h"
#include "model/ExchClass.h"

#include <QTextStream>

namespace {
const QString StructureOption = QStringLiteral("--structure");
const QString OutOption = QStringLiteral("--out");
const QString UsedOnlyFlag = QStringLiteral("--used-only");
const QString FileOperand = QStringLiteral("FILE.QBF");
const QString MemberName = QStringLiteral("MEMBER");
const QString OutputName = QStringLiteral("FILE.csv");
} // namespace

QString ExportCsvCommand::name() const
{
    return QStringLiteral("export-csv");
}

QString ExportCsvCommand::synopsis() const
{
    return QStringLiteral("%1 %2 %3 [%4 %5] [%6]")
        .arg(FileOperand, StructureOption, MemberName, OutOption, OutputName, UsedOnlyFlag);
}

QString ExportCsvCommand::summary() const
{
    return QStringLiteral("Write one structure of a configuration file as a CSV table, a row per record");
}

int ExportCsvCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({UsedOnlyFlag}, {FileOperand}, {StructureOption, OutOption});
    if (!args.parse(arguments)) {
        err << usageProblem(args.errorString()) << Qt::endl;
        return ExitCode::Usage;
    }
    if (!args.hasValue(StructureOption)) {
        err << usageProblem(QStringLiteral("missing %1 %2").arg(StructureOption, MemberName)) << Qt::endl;
        return ExitCode::Usage;
    }
    const int member = CsvTable::memberNamed(args.value(StructureOption));
    if (member < 0) {
        err << usageProblem(QStringLiteral("unknown structure \"%1\"; the structures are %2")
                                .arg(args.value(StructureOption), CsvTable::memberNames()))
            << Qt::endl;
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
    QString reason;
    if (!CsvExport::save(config, member, usedOnly, output, &reason)) {
        err << QStringLiteral("Cannot write \"%1\": %2").arg(output, reason) << Qt::endl;
        return ExitCode::Failure;
    }
    out << QStringLiteral("%1: %2 written from %3").arg(output, QLatin1String(ExchClass::info(member).name), path)
        << Qt::endl;
    return ExitCode::Success;
}
