#include "PtyTransferRig.h"
#include "core/DebugLog.h"
#include "core/QtTimerFactory.h"
#include "model/ExchClass.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {
double percentile(QList<qint64> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return double(values[qMin<qsizetype>(values.size() - 1, qsizetype(p * (values.size() - 1) + 0.5))]);
}

// A get of the sample configuration from the simulator at 38400 baud over a
// pseudo-terminal, through the program's own serial code and engine; the
// simulator loses every dropEvery-th frame it receives (0: none).
void getSample(benchmark::State &state, int dropEvery)
{
    DebugLog log;
    QtTimerFactory timers;
    for (auto _ : state) {
        ExchangeSimulator simulator;
        SampleConfiguration::build(simulator.configuration());
        simulator.setDropEvery(dropEvery);
        PtyTransferRig rig(simulator, PtyTransferRig::LineRate, timers, log);
        if (!rig.open()) {
            state.SkipWithError("cannot open a pseudo-terminal");
            return;
        }
        ExchClass document(&log);
        if (!rig.run([&document](TransferEngine &engine) { engine.start(TransferEngine::Mode::Get, &document); })) {
            state.SkipWithError("the transfer did not complete");
            return;
        }
        const double seconds = rig.seconds();
        const CountingSerialPort &port = rig.port();
        const double wire = rig.lineSeconds();
        state.SetIterationTime(seconds);
        state.counters["wall_s"] = seconds;
        state.counters["wire_bound_s"] = wire;
        state.counters["ratio"] = seconds / wire;
        state.counters["bytes_in"] = double(port.bytesIn());
        state.counters["bytes_out"] = double(port.bytesOut());
        state.counters["turnaround_p50_us"] = percentile(port.turnarounds(), 0.5) / 1000;
        state.counters["turnaround_p99_us"] = percentile(port.turnarounds(), 0.99) / 1000;
        state.counters["replies"] = double(port.turnarounds().size());
        state.counters["dropped"] = double(simulator.framesDropped());
        // Each isolated loss should cost one retransmission interval and no more.
        state.counters["wall_less_retransmissions_s"] =
            seconds - simulator.framesDropped() * TransferEngine::RetransmitInterval / 1000.0;
    }
}

void GetSampleAt38400(benchmark::State &state)
{
    getSample(state, 0);
}
BENCHMARK(GetSampleAt38400)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void GetSampleAt38400LosingEverySeventhFrame(benchmark::State &state)
{
    getSample(state, 7);
}
BENCHMARK(GetSampleAt38400LosingEverySeventhFrame)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
