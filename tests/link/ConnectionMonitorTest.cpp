#include "link/ConnectionMonitor.h"
#include "link/FakeSerialPort.h"
#include "link/LinkRecorder.h"
#include "link/RecordWriteQueue.h"
#include "link/SerialLink.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/SimulatedTimers.h"
#include "support/TestSupport.h"

namespace {
const QByteArray ClockRead = bytes("7E 04 00 02 30 30 00 00 00 00 7E");

const QByteArray ClockReport = ExchangeSimulator::replyFrame(4, 0, bytes("1E 2D 0C 0F 06 18 06 14"));

// A monitor on a fake line whose CTS is present, with a transfer and a write
// queue the test can keep busy.
class ConnectionMonitorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<FakeSerialPort>();
        port = fake.get();
        port->ports = {{1, SerialPort::OpenStatus::Opened}};
        link = std::make_unique<SerialLink>(std::move(fake), nullptr, &log);
        link->dispatcher().setDeviceSink(&recorder);
        writes = std::make_unique<RecordWriteQueue>(link->packetSender(), timers);
        monitor = std::make_unique<ConnectionMonitor>(*link, recorder, *writes, timers);
    }

    void open()
    {
        ASSERT_TRUE(link->openPort(1, 38400).opened());
        port->written.clear();
    }
    int clockReads() const { return int(port->written.count(ClockRead)); }
    QString panel() const { return monitor->panelText(); }

    DebugLog log;
    SimulatedTimers timers;
    LinkRecorder recorder;
    FakeSerialPort *port = nullptr;
    std::unique_ptr<SerialLink> link;
    std::unique_ptr<RecordWriteQueue> writes;
    std::unique_ptr<ConnectionMonitor> monitor;
};
} // namespace

TEST_F(ConnectionMonitorTest, ThePanelSaysOrvxOnlyWhileTheExchangeAnswers)
{
    EXPECT_EQ(panel(), QStringLiteral("NO CONN"));
    ASSERT_TRUE(link->openPort(1, 38400).opened());
    EXPECT_EQ(panel(), QStringLiteral("NO REPLY"));
    EXPECT_EQ(clockReads(), 1);

    port->receive(ClockReport);
    EXPECT_EQ(panel(), QStringLiteral("ORVX"));

    // Quiet for the whole window: one more read; while it is on its way the
    // exchange still counts as answering, and without an answer it does not.
    timers.advance(ConnectionMonitor::AnswerWindow);
    EXPECT_EQ(clockReads(), 2);
    EXPECT_EQ(panel(), QStringLiteral("ORVX"));
    timers.advance(ConnectionMonitor::ProbeReplyTimeout);
    EXPECT_EQ(panel(), QStringLiteral("NO REPLY"));

    port->receive(ExchangeSimulator::replyFrame(1, 0, bytes("01 02 03")));
    EXPECT_EQ(panel(), QStringLiteral("ORVX"));
    port->changeCts(false);
    EXPECT_EQ(panel(), QStringLiteral("NO CONN"));
    port->changeCts(true);
    EXPECT_EQ(panel(), QStringLiteral("NO REPLY"));
    link->closePort();
    EXPECT_EQ(panel(), QStringLiteral("NO CONN"));
}

TEST_F(ConnectionMonitorTest, ClockReadsGoAtMostOncePerIntervalAndNeverWhileTheLineIsBusy)
{
    open();
    timers.advance(ConnectionMonitor::ProbeInterval - 1);
    EXPECT_EQ(clockReads(), 0);
    timers.advance(1);
    EXPECT_EQ(clockReads(), 1);
    timers.advance(10 * ConnectionMonitor::ProbeInterval);
    EXPECT_EQ(clockReads(), 11);

    recorder.transfer = true;
    timers.advance(3 * ConnectionMonitor::ProbeInterval);
    EXPECT_EQ(clockReads(), 11);
    recorder.transfer = false;

    ExchClass config;
    SampleConfiguration::build(config);
    writes->setHeld(true);
    ASSERT_TRUE(writes->writeRecord(config, ExchClass::VirtualPortsMember, 1));
    timers.advance(3 * ConnectionMonitor::ProbeInterval);
    EXPECT_EQ(clockReads(), 11) << "a waiting write keeps the line for itself";
    EXPECT_EQ(panel(), QStringLiteral("NO REPLY"));
}

TEST_F(ConnectionMonitorTest, AClockReportTheMonitorDidNotAskForReachesTheTimeWindow)
{
    open();
    port->receive(ClockReport);
    EXPECT_TRUE(recorder.clocks.isEmpty()) << "the monitor's own read is shown to nobody";
    port->receive(ClockReport);
    ASSERT_EQ(recorder.clocks.size(), 1);
    EXPECT_EQ(recorder.clocks.first().hours, QStringLiteral("12"));
}
