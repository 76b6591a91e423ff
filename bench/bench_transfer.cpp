#include "CountingSerialPort.h"
#include "core/DebugLog.h"
#include "core/QtTimerFactory.h"
#include "link/QtSerialPort.h"
#include "link/SerialLink.h"
#include "model/ExchClass.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/PtyEndpoint.h"
#include "simulator/sample/SampleConfiguration.h"
#include "transfer/TransferEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {
constexpr int LineRate = 38400;
constexpr double BitsPerByte = 10.0;

struct Finish : TransferObserver
{
    void finished(Outcome result) override
    {
        outcome = result;
        done = true;
        if (loop)
            loop->quit();
    }

    QEventLoop *loop = nullptr;
    bool done = false;
    Outcome outcome = Outcome::Cancelled;
};

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
        PtyEndpoint pty(&simulator);
        pty.setBaudRate(LineRate);
        if (!pty.open()) {
            state.SkipWithError("cannot open a pseudo-terminal");
            return;
        }
        auto counting = std::make_unique<CountingSerialPort>(std::make_unique<QtSerialPort>(timers, &log));
        CountingSerialPort *port = counting.get();
        SerialLink link(std::move(counting), nullptr, &log);
        link.openDevice(pty.slavePath(), LineRate);
        TransferEngine engine(link.packetSender(), link, timers, &log);
        link.attachTransfer(engine, engine);
        Finish finish;
        QEventLoop loop;
        finish.loop = &loop;
        engine.setObserver(&finish);

        ExchClass document(&log);
        QElapsedTimer wall;
        wall.start();
        engine.start(TransferEngine::Mode::Get, &document);
        if (!finish.done)
            loop.exec();
        const double seconds = wall.nsecsElapsed() / 1e9;
        if (finish.outcome != TransferObserver::Outcome::Completed) {
            state.SkipWithError("the transfer did not complete");
            return;
        }
        const double wire = (port->bytesIn() + port->bytesOut()) * BitsPerByte / LineRate;
        state.SetIterationTime(seconds);
        state.counters["wall_s"] = seconds;
        state.counters["wire_bound_s"] = wire;
        state.counters["ratio"] = seconds / wire;
        state.counters["bytes_in"] = double(port->bytesIn());
        state.counters["bytes_out"] = double(port->bytesOut());
        state.counters["turnaround_p50_us"] = percentile(port->turnarounds(), 0.5) / 1000;
        state.counters["turnaround_p99_us"] = percentile(port->turnarounds(), 0.99) / 1000;
        state.counters["replies"] = double(port->turnarounds().size());
        state.counters["dropped"] = double(simulator.framesDropped());
        // Each isolated loss should cost one retransmission interval and no more.
        state.counters["wall_less_retransmissions_s"]
            = seconds - simulator.framesDropped() * TransferEngine::RetransmitInterval / 1000.0;
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
