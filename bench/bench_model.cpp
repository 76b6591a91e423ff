#include "core/DebugLog.h"
#include "link/PacketSender.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {
QByteArray sampleImage()
{
    QFile file(QStringLiteral(QB_DATA_DIR "/sample.QBF"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void LoadSample(benchmark::State &state)
{
    const QByteArray image = sampleImage();
    DebugLog log;
    for (auto _ : state) {
        ExchClass config(&log);
        ConfigFile file;
        benchmark::DoNotOptimize(file.fromBytes(config, image, QStringLiteral("sample")));
    }
    state.SetBytesProcessed(state.iterations() * image.size());
}
BENCHMARK(LoadSample);

void SaveSample(benchmark::State &state)
{
    DebugLog log;
    ExchClass config(&log);
    ConfigFile file;
    file.fromBytes(config, sampleImage(), QStringLiteral("sample"));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConfigFile::toBytes(config));
}
BENCHMARK(SaveSample);

// Every panel fill reads a few dozen fields by name; this is their cost.
void ReadEveryVirtualPortName(benchmark::State &state)
{
    DebugLog log;
    ExchClass config(&log);
    ConfigFile file;
    file.fromBytes(config, sampleImage(), QStringLiteral("sample"));
    RecordClass &ports = config.VirtualPorts();
    for (auto _ : state) {
        for (int i = 0; i < ports.Records(); ++i)
            benchmark::DoNotOptimize(ports.GetString("Name", i));
    }
    state.SetItemsProcessed(state.iterations() * ports.Records());
}
BENCHMARK(ReadEveryVirtualPortName);

void BuildRecordFrame(benchmark::State &state)
{
    const QByteArray payload(66, char(0x7E));
    for (auto _ : state)
        benchmark::DoNotOptimize(PacketSender::BuildFrame(16, payload));
}
BENCHMARK(BuildRecordFrame);
} // namespace
