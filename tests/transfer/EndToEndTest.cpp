#include "core/QtTimerFactory.h"
#include "link/PacketSender.h"
#include "link/QtSerialPort.h"
#include "link/SerialLink.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/RecordSlots.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/PtyEndpoint.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"
#include "transfer/TransferEngine.h"

#include <optional>

namespace {
// Retransmissions every 50 ms instead of 2500 ms: the behaviour is the same,
// only the wait is shorter.
constexpr double TimerScale = 0.02;
constexpr int TransferBoundMilliseconds = 60000;

struct FinishRecorder : TransferObserver
{
    void message(const QString &text) override { messages.append(text); }
    void finished(TransferObserver::Outcome result) override { outcome = result; }

    QStringList messages;
    std::optional<TransferObserver::Outcome> outcome;
};

// The real serial code on one side of a pseudo-terminal, the simulator on the other.
class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(simulator.configuration());
        ASSERT_TRUE(pty.open()) << pty.errorString().toStdString();
        ASSERT_TRUE(link.openDevice(pty.slavePath(), 38400).opened());
        link.attachTransfer(engine, engine);
        engine.setObserver(&observer);
    }

    bool run(TransferEngine::Mode mode)
    {
        engine.start(mode, &document);
        return runEventsUntil([this] { return observer.outcome.has_value(); }, TransferBoundMilliseconds)
            && observer.outcome == TransferObserver::Outcome::Completed;
    }

    void expectSameRecords(ExchClass &a, ExchClass &b)
    {
        for (int m = 0; m < ExchClass::MemberCount; ++m) {
            RecordClass &x = a.member(m);
            RecordClass &y = b.member(m);
            ASSERT_EQ(x.Records(), y.Records()) << ExchClass::info(m).name;
            EXPECT_EQ(x.StructSize(), y.StructSize()) << ExchClass::info(m).name;
            for (int i = 0; i < x.Records(); ++i)
                EXPECT_EQ(x.record(i), y.record(i)) << ExchClass::info(m).name << " record " << i;
        }
    }

    DebugLog log;
    ExchangeSimulator simulator;
    PtyEndpoint pty{&simulator};
    QtTimerFactory timers{TimerScale};
    SerialLink link{std::make_unique<QtSerialPort>(timers, &log), nullptr, &log};
    TransferEngine engine{link.packetSender(), link, timers};
    FinishRecorder observer;
    ExchClass document{&log};
};
} // namespace

TEST_F(EndToEnd, AGetReadsAndASendWritesTheWholeConfigurationOnALineThatLosesEverySeventhFrame)
{
    simulator.setDropEvery(7);
    // A record the exchange does not mark used is blanked, whatever it holds.
    RecordClass &ports = simulator.configuration().VirtualPorts();
    int unused = 0;
    while (ports.GetRecordUsed(unused))
        ++unused;
    ports.PutData(replyPacket(10, unused, QByteArray(ports.StructSize(), 'x')));

    ASSERT_TRUE(run(TransferEngine::Mode::Get));
    EXPECT_GT(simulator.framesDropped(), 10);
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        for (int i = 0; m != ExchClass::TonesMember && i <= document.member(m).Items(); ++i)
            EXPECT_EQ(document.member(m).field(i), simulator.configuration().member(m).field(i))
                << ExchClass::info(m).name;
        EXPECT_EQ(document.member(m).usedMap(), simulator.configuration().member(m).usedMap());
    }
    EXPECT_EQ(document.Tones().GetString("Name", 3), QByteArray("ONHOLD"));
    EXPECT_EQ(document.VirtualPorts().record(unused), QByteArray(ports.StructSize(), char(0xFF)));
    ports.PutBlank(unused);
    expectSameRecords(document, simulator.configuration());

    document.VirtualPorts().SetString("Name", 1, "Front Desk");
    document.Groups().SetInteger("TimeToNext", 1, 40, 0);
    observer.outcome.reset();
    ASSERT_TRUE(run(TransferEngine::Mode::Send));
    EXPECT_EQ(simulator.configuration().VirtualPorts().GetString("Name", 1), QByteArray("Front Desk"));
    EXPECT_EQ(simulator.configuration().Groups().GetInteger("TimeToNext", 1, 0), 40);
    expectSameRecords(document, simulator.configuration());
}

TEST_F(EndToEnd, ARecordWrittenIntoUseComesBackWithTheNextGetAndAFreedOneIsBlanked)
{
    ExchClass written(&log);
    SampleConfiguration::build(written);
    RecordClass &ports = written.VirtualPorts();
    const int taken = RecordSlots::firstFree(ports);
    ASSERT_GE(taken, 0);
    int freed = 1;
    while (!ports.GetRecordUsed(freed))
        ++freed;
    RecordSlots::takeIntoUse(ports, taken);
    ports.SetString("Name", taken, "Night Porter");
    RecordSlots::release(ports, freed);
    for (int index : {taken, freed}) {
        const QByteArray data = ports.SendData(index);
        ASSERT_EQ(simulator.feed(PacketSender::BuildFrame(ports.SendCode(), data)).size(), 1);
    }

    ASSERT_TRUE(run(TransferEngine::Mode::Get));
    EXPECT_EQ(document.VirtualPorts().GetString("Name", taken), QByteArray("Night Porter"));
    EXPECT_TRUE(document.VirtualPorts().GetRecordUsed(taken));
    EXPECT_FALSE(document.VirtualPorts().GetRecordUsed(freed));
    EXPECT_EQ(document.VirtualPorts().record(freed), QByteArray(ports.StructSize(), char(0xFF)));
}
