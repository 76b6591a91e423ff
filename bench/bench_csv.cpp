#include "LargeConfiguration.h"
#include "core/DebugLog.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "model/ExchClass.h"
#include "simulator/sample/SampleConfiguration.h"

#include <benchmark/benchmark.h>

// What exporting and importing a table of 4096 rows costs: the access
// control lists (text, digits and named bit sets), the virtual ports and the
// dialled numbers, whose import also checks every number for clashes. The
// imports change one cell of every row, so every row is checked, written on
// the copy that is tried and written again when applied.
namespace {
constexpr int Members[] = {ExchClass::ACLMember, ExchClass::VirtualPortsMember, ExchClass::ExtToVirtualMember};
// Four-digit numbers from here on begin no other number of the table.
constexpr int FirstNumber = 1000;

struct Site
{
    Site()
        : large(&log)
    {
        SampleConfiguration::build(large);
        for (int member = 0; member < ExchClass::MemberCount; ++member)
            growToLargeCount(large.member(member));
    }

    DebugLog log;
    ExchClass large;
};

const Site &site()
{
    static const Site built;
    return built;
}

// The table with one cell of every row changed: the name, or the number dialled.
QByteArray changedTable(int member)
{
    CsvReader reader;
    reader.read(CsvExport::write(site().large, member, false));
    const QStringList header = reader.rows().first().cells;
    const bool numbers = member == ExchClass::ExtToVirtualMember;
    const qsizetype column = header.indexOf(numbers ? QStringLiteral("ExtNumberA") : QStringLiteral("Name"));
    CsvWriter writer;
    writer.addRow(header);
    for (qsizetype i = 1; i < reader.rows().size(); ++i) {
        QStringList cells = reader.rows().at(i).cells;
        cells[column] = numbers ? QString::number(FirstNumber + i) : QStringLiteral("User %1").arg(i);
        writer.addRow(cells);
    }
    return writer.data();
}

void ExportLarge(benchmark::State &state)
{
    const int member = int(state.range(0));
    qsizetype size = 0;
    for (auto _ : state)
        size = CsvExport::write(site().large, member, false).size();
    state.SetLabel(ExchClass::info(member).name);
    state.counters["bytes"] = double(size);
}
BENCHMARK(ExportLarge)->Arg(Members[0])->Arg(Members[1])->Arg(Members[2])->Unit(benchmark::kMillisecond);

void ImportLargeEveryRowChanged(benchmark::State &state)
{
    const int member = int(state.range(0));
    const QByteArray table = changedTable(member);
    qsizetype changed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ExchClass config = site().large;
        state.ResumeTiming();
        CsvImport import(config, member);
        if (!import.plan(table) || !import.apply()) {
            state.SkipWithError(import.problems().value(0).text().toUtf8().constData());
            return;
        }
        changed = import.changedRecords().size();
    }
    state.SetLabel(ExchClass::info(member).name);
    state.counters["changed"] = double(changed);
}
BENCHMARK(ImportLargeEveryRowChanged)->Arg(Members[0])->Arg(Members[1])->Arg(Members[2])->Unit(benchmark::kMillisecond);

void ImportLargeUnchanged(benchmark::State &state)
{
    const int member = int(state.range(0));
    const QByteArray table = CsvExport::write(site().large, member, false);
    ExchClass config = site().large;
    for (auto _ : state) {
        CsvImport import(config, member);
        benchmark::DoNotOptimize(import.plan(table));
    }
    state.SetLabel(ExchClass::info(member).name);
}
BENCHMARK(ImportLargeUnchanged)->Arg(Members[0])->Arg(Members[1])->Arg(Members[2])->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
