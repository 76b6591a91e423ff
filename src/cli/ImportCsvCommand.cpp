#include "cli/ImportCsvCommand.h"

#include "analysis/ConfigurationCheck.h"
#include "analysis/ConfigurationComparison.h"
#include "cli/CommandArguments.h"
#include "cli/DiffCommand.h"
#include "cli/StructureOption.h"
#include "cli/ValidateCommand.h"
#include "core/Registry.h"
#include "csv/CsvImport.h"
#include "csv/CsvReader.h"
#include "history/HistoryStore.h"
#include "history/SystemClock.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"

#include <QTextStream>

namespace {
const QString InOption = QStringLiteral("--in");
const QString DryRunFlag = QStringLiteral("--dry-run");
const QString InputName = QStringLiteral("FILE.csv");
const QString OutputName = QStringLiteral("NEW.QBF");
} // namespace

QString ImportCsvCommand::name() const
{
    return QStringLiteral("import-csv");
}

QString ImportCsvCommand::synopsis() const
{
    return QStringLiteral("%1 %2 %3 %4 %5 [%6 %7] [%8]")
        .arg(FileOperand, StructureOption::Option, StructureOption::Placeholder, InOption, InputName, OutOption,
             OutputName, DryRunFlag);
}

QString ImportCsvCommand::summary() const
{
    return QStringLiteral("Change one structure's records as a CSV table says, after checking every row "
                          "(--dry-run: show the changes, write nothing)");
}

int ImportCsvCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({DryRunFlag}, {FileOperand}, {StructureOption::Option, InOption, OutOption});
    if (!parse(args, arguments, err))
        return ExitCode::Usage;
    QString problem;
    const int member = StructureOption::member(args, &problem);
    if (member < 0 || !args.hasValue(InOption)) {
        err << usageProblem(member < 0 ? problem : QStringLiteral("missing %1 %2").arg(InOption, InputName))
            << Qt::endl;
        return ExitCode::Usage;
    }
    const QString path = args.operand(0);
    const QString tablePath = args.value(InOption);
    const QString target = args.value(OutOption, path);
    if (target.isEmpty()) {
        err << usageProblem(QStringLiteral("%1 needs a file name").arg(OutOption)) << Qt::endl;
        return ExitCode::Usage;
    }
    const bool dryRun = args.isSet(DryRunFlag);
    const bool replacing = sameFile(path, target);

    ExchClass config;
    if (!loadConfiguration(path, config, err))
        return ExitCode::Failure;
    QByteArray table;
    QString reason;
    if (!CsvReader::readFile(tablePath, table, &reason)) {
        err << QStringLiteral("Cannot read \"%1\": %2").arg(tablePath, reason) << Qt::endl;
        return ExitCode::Failure;
    }
    CsvImport import(config, member);
    if (!import.plan(table)) {
        for (const CsvProblem &problem : import.problems())
            err << problem.text() << QLatin1Char('\n');
        const qsizetype count = import.problems().size();
        err << QStringLiteral("%1: %2; nothing was changed").arg(tablePath, counted(count, QStringLiteral("problem")))
            << Qt::endl;
        return ExitCode::Failure;
    }

    const qsizetype changed = import.changedRecords().size();
    const QString structure = QLatin1String(ExchClass::info(member).name);
    DiffCommand::writeText(out, ConfigurationComparison(config, import.result()));
    ValidateCommand::writeText(out, target + QStringLiteral(" after the import"),
                               ConfigurationCheck(import.result()).problems());
    if (dryRun) {
        out << QStringLiteral("Dry run: %1 of %2 would change; nothing was written")
                   .arg(counted(changed, QStringLiteral("record")), structure)
            << Qt::endl;
        return ExitCode::Success;
    }
    if (changed == 0 && replacing) {
        out << QStringLiteral("%1: no record of %2 changes; the file was left as it was").arg(path, structure)
            << Qt::endl;
        return ExitCode::Success;
    }

    QString kept;
    if (replacing) {
        HistoryStore store(HistoryStore::defaultRoot(), SystemClock::shared(),
                           HistoryStore::keepSetting(Registry::shared()));
        if (!store.add(config, HistoryEntry::Kind::Import)) {
            err << QStringLiteral("Cannot keep the old version of %1 in the history: %2; nothing was written (%3 "
                                  "writes the result to another file)")
                       .arg(path, store.errorString(), OutOption)
                << Qt::endl;
            return ExitCode::Failure;
        }
        kept = store.lastPath();
    }
    if (!import.apply()) {
        err << QStringLiteral("The configuration changed while it was imported; nothing was written") << Qt::endl;
        return ExitCode::Failure;
    }
    ConfigFile file;
    if (!file.save(config, target)) {
        err << file.errorString() << Qt::endl;
        return ExitCode::Failure;
    }
    out << QStringLiteral("%1: %2 of %3 changed").arg(target, counted(changed, QStringLiteral("record")), structure);
    if (!kept.isEmpty())
        out << QStringLiteral("; the old version is kept as %1").arg(kept);
    out << Qt::endl;
    return ExitCode::Success;
}
