#include "LargeConfiguration.h"
#include "analysis/ConfigurationCheck.h"
#include "core/DebugLog.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"

#include <benchmark/benchmark.h>

// What the configuration check costs on a site far larger than any real one:
// 4096 records in every structure. The editor runs it after edits, so it has
// to stay well under the time a keystroke takes to show.
namespace {
constexpr int UniqueDigits = 4;
constexpr int ClassPositions = 256;

QByteArray unique(int i)
{
    return QByteArray::number(i).rightJustified(UniqueDigits, '0');
}

// The same site with every copy given its own number, PIN, bit position and
// name, as a large site that checks clean would have them.
void makeDistinct(ExchClass &config)
{
    RecordClass &numbers = config.ExtToVirtual();
    for (int i = 0; i < numbers.Records(); ++i) {
        numbers.SetDigit(FieldNames::ExtNumberB, i, "9");
        numbers.SetDigit(FieldNames::ExtNumberA, i, unique(i));
        numbers.SetBoolean(FieldNames::Flag, i, 1, true);
    }
    config.System().SetInteger(FieldNames::PublicIDLen, 0, UniqueDigits);
    for (int i = 0; i < config.ACL().Records(); ++i)
        config.ACL().SetDigit(FieldNames::PublicID, i, unique(i));
    // A bit position is one byte: no more classes than positions can be in use.
    RecordClass &classes = config.ClassList();
    for (int i = 0; i < classes.Records(); ++i) {
        if (i < ClassPositions)
            classes.SetInteger(FieldNames::ClassCodePosn, i, i);
        else
            RecordSlots::release(classes, i);
    }
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        RecordClass &structure = config.member(member);
        if (structure.GetType(FieldNames::Name) != FieldType::String)
            continue;
        for (int i = 0; i < structure.Records(); ++i)
            structure.SetString(FieldNames::Name, i, "R" + QByteArray::number(i));
    }
}

struct Configurations
{
    Configurations()
        : repeated(&log)
        , distinct(&log)
    {
        SampleConfiguration::build(repeated);
        for (int member = 0; member < ExchClass::MemberCount; ++member)
            growToLargeCount(repeated.member(member));
        distinct = repeated;
        makeDistinct(distinct);
    }

    DebugLog log;
    ExchClass repeated;
    ExchClass distinct;
};

const Configurations &configurations()
{
    static const Configurations built;
    return built;
}

void check(benchmark::State &state, const ExchClass &config)
{
    qsizetype problems = 0;
    for (auto _ : state) {
        ConfigurationCheck check(config);
        problems = check.problems().size();
    }
    state.counters["problems"] = double(problems);
    state.counters["records"] = double(config.recordCount());
}

void CheckLargeRepeated(benchmark::State &state)
{
    check(state, configurations().repeated);
}
BENCHMARK(CheckLargeRepeated)->Unit(benchmark::kMillisecond);

void CheckLargeDistinct(benchmark::State &state)
{
    check(state, configurations().distinct);
}
BENCHMARK(CheckLargeDistinct)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
