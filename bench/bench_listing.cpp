#include "LargeConfiguration.h"
#include "cli/ConfigurationListing.h"
#include "core/DebugLog.h"
#include "export/ConfigurationReport.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldFunctions.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QIODevice>
#include <QTextStream>

#include <benchmark/benchmark.h>

// What dump and the report cost on configurations that claim a lot: 4096
// records in every structure, 32767 fields, and a boolean field of 32767
// bytes, real or only claimed by the layout.
namespace {
constexpr int MaxCount = 32767;

// Takes every byte and keeps none, so the listing's own cost is measured.
class DiscardingDevice : public QIODevice
{
public:
    DiscardingDevice() { open(QIODevice::WriteOnly); }
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        written += length;
        return length;
    }
};

struct Configurations
{
    Configurations()
        : large(&log)
        , manyFields(&log)
        , wideBooleans(&log)
        , claimedBooleans(&log)
    {
        SampleConfiguration::build(large);
        for (int member = 0; member < ExchClass::MemberCount; ++member)
            growToLargeCount(large.member(member));

        // Definition packets hold at most 65535 bytes of fields, so these
        // layouts are made directly.
        RecordClass &fields = manyFields.VirtualPorts();
        fields.makeStruct("VIRTPORTS", MaxCount, 2, MaxCount, 0);
        for (int i = 1; i <= MaxCount; ++i)
            fields.setField(i, "F" + QByteArray::number(i), 0, 1, i, FieldType::Integer);
        for (int rec = 0; rec < 2; ++rec)
            fields.PutData(replyPacket(rec, QByteArray(MaxCount, char(rec + 1))));

        RecordClass &wide = wideBooleans.VirtualPorts();
        wide.makeStruct("VIRTPORTS", 1, 2, MaxCount, 0);
        wide.setField(1, "Bits", 0, MaxCount, 1, FieldType::Boolean);
        for (int rec = 0; rec < 2; ++rec)
            wide.PutData(replyPacket(rec, QByteArray(MaxCount, char(0xFF))));

        RecordClass &claimed = claimedBooleans.VirtualPorts();
        claimed.makeStruct("VIRTPORTS", 1, 100, MaxCount, 0);
        claimed.setField(1, "Bits", 8191, MaxCount, 1, FieldType::Boolean);
        for (int rec = 0; rec < 100; ++rec)
            claimed.PutData(replyPacket(rec, QByteArray(64, char(0xFF))));
    }

    static QByteArray replyPacket(int index, const QByteArray &image)
    {
        return QByteArray(5, '\0') + EVal(index, 2) + image + QByteArray(4, '\0');
    }

    DebugLog log;
    ExchClass large;
    ExchClass manyFields;
    ExchClass wideBooleans;
    ExchClass claimedBooleans;
};

const Configurations &configurations()
{
    static const Configurations built;
    return built;
}

void listing(benchmark::State &state, const ExchClass &config, bool json)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        DiscardingDevice device;
        QTextStream out(&device);
        const ConfigurationListing listing(config);
        if (json)
            listing.writeJson(out, QStringLiteral("large.QBF"));
        else
            listing.writeText(out);
        out.flush();
        bytes = device.written;
    }
    state.counters["output_bytes"] = double(bytes);
}

void DumpTextLarge(benchmark::State &state)
{
    listing(state, configurations().large, false);
}
BENCHMARK(DumpTextLarge)->Unit(benchmark::kMillisecond);

void DumpJsonLarge(benchmark::State &state)
{
    listing(state, configurations().large, true);
}
BENCHMARK(DumpJsonLarge)->Unit(benchmark::kMillisecond);

void DumpManyFields(benchmark::State &state)
{
    listing(state, configurations().manyFields, false);
}
BENCHMARK(DumpManyFields)->Unit(benchmark::kMillisecond);

void DumpWideBooleanField(benchmark::State &state)
{
    listing(state, configurations().wideBooleans, false);
}
BENCHMARK(DumpWideBooleanField)->Unit(benchmark::kMillisecond);

void DumpClaimedBooleanField(benchmark::State &state)
{
    listing(state, configurations().claimedBooleans, false);
}
BENCHMARK(DumpClaimedBooleanField)->Unit(benchmark::kMillisecond);

void ReportLarge(benchmark::State &state)
{
    ConfigurationReport::Options options;
    options.caption = QStringLiteral("large.QBF");
    options.includeTones = true;
    qsizetype rows = 0;
    for (auto _ : state) {
        const ReportContent content = ConfigurationReport::build(configurations().large, options);
        rows = 0;
        for (const ReportSection &section : content.sections)
            rows += section.rows.size();
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(ReportLarge)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
