#include "core/DebugLog.h"
#include "core/QtTimerFactory.h"
#include "editor/TableTree.h"
#include "editor/widgets/DocumentWindow.h"
#include "link/QtSerialPort.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/gui/TestDocumentHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace {
constexpr int LargeRecordCount = 4096;
constexpr int ResidentDocumentCount = 10;
constexpr int IdleMilliseconds = 2000;
constexpr double BytesPerMegabyte = 1024.0 * 1024.0;

double milliseconds(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

QByteArray numberedName(const QByteArray &name, int index, int capacity)
{
    const QByteArray suffix = ' ' + QByteArray::number(index);
    const QByteArray stem = name.trimmed().left(qMax<qsizetype>(0, capacity - suffix.size()));
    return (stem + suffix).trimmed().right(capacity);
}

// Every slot holds a record in use, copied from the sample's own records so
// that field contents stay plausible.
void growToLargeCount(RecordClass &structure)
{
    const int sampleRecords = structure.Records();
    if (sampleRecords >= LargeRecordCount)
        return;
    structure.PutBlank(LargeRecordCount - 1);
    const bool named = structure.GetType(FieldNames::Name) == FieldType::String;
    const bool flagged = structure.GetType(FieldNames::Flag) == FieldType::Boolean;
    const int nameCapacity = structure.GetItems(FieldNames::Name) - 1;
    for (int i = 0; i < LargeRecordCount; ++i) {
        if (i >= sampleRecords) {
            // Slots between the sample's last record and the new last one are not records yet.
            if (sampleRecords > 0)
                structure.CopyRecord(i % sampleRecords, i);
            else
                structure.PutBlank(i);
        }
        if (named && nameCapacity > 0) {
            const QByteArray name = numberedName(structure.GetString(FieldNames::Name, i), i, nameCapacity);
            structure.SetString(FieldNames::Name, i, name);
        }
        if (flagged)
            structure.SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    }
}

class LargeConfigurationFile
{
public:
    static const LargeConfigurationFile &instance()
    {
        static const LargeConfigurationFile file;
        return file;
    }

    bool isValid() const { return m_valid; }
    QString path() const { return m_path; }
    QString error() const { return m_error; }
    qint64 size() const { return QFile(m_path).size(); }

private:
    LargeConfigurationFile()
    {
        DebugLog log;
        ExchClass config(&log);
        SampleConfiguration::build(config);
        for (int member = 0; member < ExchClass::MemberCount; ++member)
            growToLargeCount(config.member(member));

        m_path = m_directory.filePath(QStringLiteral("large.QBF"));
        ConfigFile file;
        if (!m_directory.isValid() || !file.save(config, m_path)) {
            m_error = file.errorString();
            return;
        }
        // A file that did not load back would make the document show a
        // message box and wait for an answer nobody gives.
        ExchClass reloaded(&log);
        if (!file.load(reloaded, m_path) || !(reloaded == config)) {
            m_error = QStringLiteral("the large configuration does not load back: ") + file.errorString();
            return;
        }
        m_valid = true;
    }

    QTemporaryDir m_directory;
    QString m_path;
    QString m_error;
    bool m_valid = false;
};

bool largeFileReady(benchmark::State &state)
{
    const LargeConfigurationFile &file = LargeConfigurationFile::instance();
    if (!file.isValid())
        state.SkipWithError(file.error().toLocal8Bit().constData());
    return file.isValid();
}

// The engineer opens a branch of thousands of records.
void openBranch(QTreeWidget *tree, const QString &key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key) {
            tree->expandItem(*it);
            return;
        }
    }
}

int treeNodeCount(QTreeWidget *tree)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++count;
    return count;
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    // Files under /proc report no size, so read to the end rather than test atEnd().
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:")) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            return fields.size() >= 2 ? fields.at(1).toDouble() / 1024.0 : 0;
        }
    }
    return 0;
}

// Bytes the allocator has handed out and not had back, mapped blocks included,
// for what each step keeps; signed, so a step that frees more than it takes
// shows as negative.
qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

qint64 processCpuMicroseconds(long *voluntarySwitches)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    *voluntarySwitches = usage.ru_nvcsw;
    const auto microseconds = [](const timeval &t) { return qint64(t.tv_sec) * 1000000 + t.tv_usec; };
    return microseconds(usage.ru_utime) + microseconds(usage.ru_stime);
}

// Opening a file into a new document window: what the engineer waits for
// between choosing the file and seeing its tree.
void OpenAndBuildTree(benchmark::State &state)
{
    if (!largeFileReady(state))
        return;
    const QString path = LargeConfigurationFile::instance().path();
    TestDocumentHost host;
    const int exNum = host.table.NewSlot();
    qint64 constructNs = 0;
    qint64 loadNs = 0;
    qint64 treeNs = 0;
    qint64 branchNs = 0;
    qint64 closeNs = 0;
    int nodes = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto document = std::make_unique<DocumentWindow>(host);
        document->setExNum(exNum);
        const qint64 constructed = clock.nsecsElapsed();
        const bool loaded = document->LoadFile(path);
        const qint64 afterLoad = clock.nsecsElapsed();
        document->GetConfiguration();
        const qint64 afterTree = clock.nsecsElapsed();
        constructNs += constructed;
        loadNs += afterLoad - constructed;
        treeNs += afterTree - afterLoad;

        state.PauseTiming();
        if (!loaded) {
            state.SkipWithError("LoadFile failed");
            break;
        }
        clock.restart();
        openBranch(document->tree(), NodeKeys::VirtualPorts);
        branchNs += clock.nsecsElapsed();
        nodes = treeNodeCount(document->tree());
        clock.restart();
        document.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        closeNs += clock.nsecsElapsed();
        state.ResumeTiming();
    }
    const double iterations = qMax<double>(1, double(state.iterations()));
    state.counters["construct_ms"] = milliseconds(constructNs) / iterations;
    state.counters["LoadFile_ms"] = milliseconds(loadNs) / iterations;
    state.counters["GetConfiguration_ms"] = milliseconds(treeNs) / iterations;
    state.counters["open_VP_branch_ms"] = milliseconds(branchNs) / iterations;
    state.counters["close_ms"] = milliseconds(closeNs) / iterations;
    state.counters["tree_nodes"] = nodes;
    state.counters["records"] = host.configuration(exNum).recordCount();
    state.counters["file_MB"] = double(LargeConfigurationFile::instance().size()) / BytesPerMegabyte;
}
BENCHMARK(OpenAndBuildTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// An engineer comparing sites keeps several documents open at once.
void TenDocumentsResident(benchmark::State &state)
{
    if (!largeFileReady(state))
        return;
    const QString path = LargeConfigurationFile::instance().path();
    for (auto _ : state) {
        state.PauseTiming();
        TestDocumentHost host;
        // Freed heap that stays mapped would be reused unseen and hide the growth.
        malloc_trim(0);
        const double before = residentMegabytes();
        state.ResumeTiming();

        std::vector<std::unique_ptr<DocumentWindow>> documents;
        bool loaded = true;
        qint64 windowHeap = 0;
        qint64 modelHeap = 0;
        qint64 treeHeap = 0;
        for (int i = 0; i < ResidentDocumentCount && loaded; ++i) {
            const qint64 start = heapInUse();
            auto document = std::make_unique<DocumentWindow>(host);
            document->setExNum(host.table.NewSlot());
            const qint64 constructed = heapInUse();
            loaded = document->LoadFile(path);
            const qint64 afterLoad = heapInUse();
            document->GetConfiguration();
            const qint64 afterTree = heapInUse();
            windowHeap += constructed - start;
            modelHeap += afterLoad - constructed;
            treeHeap += afterTree - afterLoad;
            documents.push_back(std::move(document));
        }

        state.PauseTiming();
        if (!loaded) {
            state.SkipWithError("LoadFile failed");
            break;
        }
        const double after = residentMegabytes();
        state.counters["heap_window_MB"] = double(windowHeap) / BytesPerMegabyte;
        state.counters["heap_model_MB"] = double(modelHeap) / BytesPerMegabyte;
        state.counters["heap_tree_MB"] = double(treeHeap) / BytesPerMegabyte;
        state.counters["rss_before_MB"] = before;
        state.counters["rss_growth_MB"] = after - before;
        state.counters["rss_total_MB"] = after;
        state.counters["growth_per_document_MB"] = (after - before) / ResidentDocumentCount;
        for (const auto &document : documents)
            openBranch(document->tree(), NodeKeys::VirtualPorts);
        state.counters["rss_growth_VP_branches_open_MB"] = residentMegabytes() - before;
        documents.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(TenDocumentsResident)->Unit(benchmark::kMillisecond)->Iterations(1);

// With the line open and nothing arriving, the program should sleep: any
// polling shows up as CPU time and wake-ups here.
void IdleCpuWithPortOpen(benchmark::State &state)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        if (master >= 0)
            ::close(master);
        state.SkipWithError("cannot open a pseudo-terminal");
        return;
    }
    const char *slave = ptsname(master);
    if (!slave) {
        ::close(master);
        state.SkipWithError("the pseudo-terminal has no slave name");
        return;
    }

    DebugLog log;
    QtTimerFactory timers;
    QtSerialPort port(timers, &log);
    const SerialPort::OpenResult opened = port.openDevice(QString::fromLocal8Bit(slave), QStringLiteral("38400,n,8,1"));
    if (!opened.opened()) {
        ::close(master);
        state.SkipWithError(opened.errorText.toLocal8Bit().constData());
        return;
    }

    for (auto _ : state) {
        QEventLoop loop;
        QTimer bound;
        bound.setSingleShot(true);
        bound.setTimerType(Qt::PreciseTimer);
        QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);

        long switchesBefore = 0;
        long switchesAfter = 0;
        QElapsedTimer wall;
        const qint64 cpuBefore = processCpuMicroseconds(&switchesBefore);
        wall.start();
        bound.start(IdleMilliseconds);
        loop.exec();
        const qint64 wallNs = wall.nsecsElapsed();
        const qint64 cpuUsed = processCpuMicroseconds(&switchesAfter) - cpuBefore;

        state.SetIterationTime(double(wallNs) / 1e9);
        state.counters["cpu_percent"] = 100.0 * double(cpuUsed) * 1000.0 / double(wallNs);
        state.counters["cpu_ms"] = double(cpuUsed) / 1000.0;
        state.counters["wakeups"] = double(switchesAfter - switchesBefore);
    }
    state.counters["modem_lines_polled"] = port.canReportModemLines() ? 1 : 0;
    port.close();
    ::close(master);
}
BENCHMARK(IdleCpuWithPortOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
