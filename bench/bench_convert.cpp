#include "core/DebugLog.h"
#include "export/ConfigurationConverter.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QIODevice>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
constexpr int LargeRecordCount = 4096;

QByteArray numberedName(const QByteArray &name, int index, int capacity)
{
    const QByteArray suffix = ' ' + QByteArray::number(index);
    const QByteArray stem = name.trimmed().left(qMax<qsizetype>(0, capacity - suffix.size()));
    return (stem + suffix).trimmed().right(capacity);
}

// Every slot holds a record in use, copied from the sample's records in use,
// so that ports, groups and numbers keep plausible links to one another.
void growToLargeCount(RecordClass &structure)
{
    const int sampleRecords = structure.Records();
    QList<int> sources;
    for (int i = 0; i < sampleRecords; ++i) {
        if (!RecordSlots::isFree(structure, i))
            sources.append(i);
    }
    if (sources.isEmpty() || sampleRecords >= LargeRecordCount)
        return;
    structure.PutBlank(LargeRecordCount - 1);
    const bool named = structure.GetType(FieldNames::Name) == FieldType::String;
    const int nameCapacity = structure.GetItems(FieldNames::Name) - 1;
    for (int i = 0; i < LargeRecordCount; ++i) {
        if (i >= sampleRecords || RecordSlots::isFree(structure, i))
            structure.CopyRecord(sources[i % sources.size()], i);
        if (named && nameCapacity > 0)
            structure.SetString(FieldNames::Name, i,
                                numberedName(structure.GetString(FieldNames::Name, i), i, nameCapacity));
    }
}

// 4096 records in every structure. The new format holds 64 classes, so only
// the first 64 class records stay in use; a configuration with more is
// refused before anything is written.
struct LargeConfiguration
{
    LargeConfiguration()
        : config(&log)
    {
        SampleConfiguration::build(config);
        for (int member = 0; member < ExchClass::MemberCount; ++member)
            growToLargeCount(config.member(member));
        RecordClass &classes = config.ClassList();
        for (int i = ConfigurationConverter::ClassTableSize; i < classes.Records(); ++i)
            classes.SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, true);
    }

    DebugLog log;
    ExchClass config;
};

QDateTime fixedTime()
{
    return QDateTime(QDate(2024, 7, 3), QTime(14, 5));
}

// Takes every byte and keeps none: the conversion's own work, without the
// cost of storing 18 MB.
class DiscardingDevice : public QIODevice
{
public:
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        written += length;
        return length;
    }
};

void ConvertOnly(benchmark::State &state)
{
    LargeConfiguration large;
    qint64 bytes = 0;
    for (auto _ : state) {
        DiscardingDevice device;
        device.open(QIODevice::WriteOnly);
        ConfigurationConverter converter(large.config, &fixedTime);
        if (!converter.convert(device)) {
            state.SkipWithError(converter.errorString().toLocal8Bit().constData());
            return;
        }
        bytes = device.written;
    }
    state.counters["file_bytes"] = double(bytes);
}
BENCHMARK(ConvertOnly)->Unit(benchmark::kMillisecond);

// What the engineer waits for: check, clean, write and flush the file.
void ConvertFile(benchmark::State &state)
{
    LargeConfiguration large;
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("large.VRS"));
    for (auto _ : state) {
        ConfigurationConverter converter(large.config, &fixedTime);
        if (!converter.ConvertFile(path)) {
            state.SkipWithError(converter.errorString().toLocal8Bit().constData());
            return;
        }
    }
}
BENCHMARK(ConvertFile)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
