#include "LargeConfiguration.h"
#include "analysis/ConfigurationComparison.h"
#include "core/DebugLog.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

// What comparing two configurations costs with 4096 records in every
// structure: identical, and with one field changed in every record. With
// --write DIR the program instead writes the two as large-old.QBF and
// large-new.QBF, for timing quillbridge-cli diff as a whole process.
namespace {

// One field of every record: the name where there is one, else the first integer.
void changeEveryRecord(RecordClass &structure)
{
    QByteArray integer;
    for (int i = 1; i <= structure.Items() && integer.isEmpty(); ++i) {
        if (structure.field(i).Type == FieldType::Integer)
            integer = structure.field(i).Name;
    }
    const bool named = structure.GetType(FieldNames::Name) == FieldType::String;
    for (int rec = 0; rec < structure.Records(); ++rec) {
        if (named)
            structure.SetString(FieldNames::Name, rec, "Changed " + QByteArray::number(rec));
        else if (!integer.isEmpty())
            structure.SetInteger(integer, rec, structure.GetInteger(integer, rec) ^ 1);
    }
}

struct Configurations
{
    Configurations()
        : large(&log)
        , changed(&log)
    {
        SampleConfiguration::build(large);
        for (int member = 0; member < ExchClass::MemberCount; ++member)
            growToLargeCount(large.member(member));
        changed = large;
        for (int member = 0; member < ExchClass::MemberCount; ++member)
            changeEveryRecord(changed.member(member));
    }

    DebugLog log;
    ExchClass large;
    ExchClass changed;
};

const Configurations &configurations()
{
    static const Configurations built;
    return built;
}

void DiffIdenticalLarge(benchmark::State &state)
{
    const ExchClass copy = configurations().large;
    for (auto _ : state) {
        const ConfigurationComparison comparison(configurations().large, copy);
        benchmark::DoNotOptimize(comparison.identical());
    }
}
BENCHMARK(DiffIdenticalLarge)->Unit(benchmark::kMillisecond);

void DiffEveryRecordChangedLarge(benchmark::State &state)
{
    qsizetype changes = 0;
    for (auto _ : state) {
        const ConfigurationComparison comparison(configurations().large, configurations().changed);
        changes = comparison.changes().size();
    }
    state.counters["changes"] = double(changes);
}
BENCHMARK(DiffEveryRecordChangedLarge)->Unit(benchmark::kMillisecond);

int writeFiles(const QString &folder)
{
    ConfigFile file;
    for (const auto &[name, config] :
         {std::pair{"large-old.QBF", &configurations().large}, std::pair{"large-new.QBF", &configurations().changed}}) {
        if (!file.save(*config, QDir(folder).filePath(QLatin1String(name)))) {
            QTextStream(stderr) << file.errorString() << Qt::endl;
            return 1;
        }
    }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0)
        return writeFiles(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
