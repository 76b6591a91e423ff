#include "LargeConfiguration.h"
#include "PtyTransferRig.h"
#include "core/DebugLog.h"
#include "core/QtTimerFactory.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/sample/SampleConfiguration.h"
#include "transfer/ChangedRecords.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

// Send Changes against a whole Send on a site with 4096 records in every
// structure and one record changed: the bytes on the line both ways, the time
// they take at 38400 baud (10 bits a byte), and for Send Changes the time
// measured against the simulator paced as that line.
namespace {
constexpr int ChangedPort = 2000;

void buildLarge(ExchClass &config)
{
    SampleConfiguration::build(config);
    for (int member = 0; member < ExchClass::MemberCount; ++member)
        growToLargeCount(config.member(member));
}

// One send into a simulator holding the large site, of the document with one
// record changed: the whole configuration, or the changed records alone.
void send(benchmark::State &state, bool changesOnly, int baud)
{
    DebugLog log;
    QtTimerFactory timers;
    for (auto _ : state) {
        ExchangeSimulator simulator;
        buildLarge(simulator.configuration());
        ExchClass document(&log);
        buildLarge(document);
        document.VirtualPorts().SetString(FieldNames::Name, ChangedPort, "Night Porter");

        QElapsedTimer comparing;
        comparing.start();
        const ChangedRecords changes(simulator.configuration(), document);
        const double compareSeconds = comparing.nsecsElapsed() / 1e9;

        PtyTransferRig rig(simulator, baud, timers, log);
        if (!rig.open()) {
            state.SkipWithError("cannot open a pseudo-terminal");
            return;
        }
        const bool completed = rig.run([&](TransferEngine &engine) {
            if (changesOnly)
                engine.startRecords(&document, changes.records());
            else
                engine.start(TransferEngine::Mode::Send, &document);
        });
        if (!completed) {
            state.SkipWithError("the transfer did not complete");
            return;
        }
        const double seconds = rig.seconds();
        const CountingSerialPort &port = rig.port();
        const qint64 lineBytes = rig.lineBytes();
        state.SetIterationTime(seconds);
        if (changesOnly)
            state.counters["records_written"] = double(changes.records().size());
        state.counters["compare_ms"] = compareSeconds * 1000;
        state.counters["bytes_out"] = double(port.bytesOut());
        state.counters["bytes_in"] = double(port.bytesIn());
        state.counters["line_bytes"] = double(lineBytes);
        state.counters["line_s_at_38400"] = rig.lineSeconds();
        state.counters["wall_s"] = seconds;
    }
}

void WholeSendLarge(benchmark::State &state)
{
    send(state, false, 0);
}
BENCHMARK(WholeSendLarge)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void SendChangesLarge(benchmark::State &state)
{
    send(state, true, 0);
}
BENCHMARK(SendChangesLarge)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void SendChangesLargeAt38400(benchmark::State &state)
{
    send(state, true, PtyTransferRig::LineRate);
}
BENCHMARK(SendChangesLargeAt38400)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
