#include "ExchClass.h"
#include "FrameSink.h"
#include "LineControl.h"
#include "PacketSender.h"
#include "Receiver.h"
#include "SimulatedTimers.h"
#include "TestSupport.h"
#include "TransferEngine.h"

#include <optional>

namespace {
struct RecordingLine : LineControl
{
    void setRts(bool on) override { rts.append(on); }
    bool ctsPresent() const override { return cts; }
    void ClearInput() override { ++clears; }
    void writeRaw(const QByteArray &bytes) override { raw.append(bytes); }

    QList<bool> rts;
    bool cts = true;
    int clears = 0;
    QList<QByteArray> raw;
};

// Frames the engine sent, deframed back into their contents.
struct SentFrames : FrameSink
{
    void PackSend(const QByteArray &frame) override { receiver.ProcessInput(frame); }

    QList<QByteArray> contents;
    Receiver receiver{[this](const QByteArray &content) { contents.append(content); }};
};

struct RecordingObserver : TransferObserver
{
    void stepInProgress(int step) override { inProgress.append(step); }
    void stepDone(int step) override { done.append(step); }
    void statusText(const QString &text) override { statuses.append(text); }
    void message(const QString &text) override { messages.append(text); }
    void finished(Outcome result) override { outcome = result; }

    QList<int> inProgress, done;
    QStringList statuses, messages;
    std::optional<Outcome> outcome;
};

struct Sent
{
    int code;
    int portId;
    QByteArray data;
};

class Transfer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sender.setPendingStore(&engine);
        engine.setObserver(&observer);
    }

    Sent last() const
    {
        const QByteArray c = frames.contents.last();
        return {quint8(c[0]), int(PInt(c, 6, 2)), c.mid(7, c.size() - 9)};
    }
    int sentCount() const { return int(frames.contents.size()); }

    // A two-field structure with the given records, a used map and layout.
    void giveLayout(RecordClass &s, int id, int records)
    {
        s.BuildStructure(definitionPacket(id, "S", records, {{"Data", 2, 1, 0}, {"Flag", 3, 1, 0}, {"Spare", 2, 2, 0}}));
    }
    // Runs a get up to the records phase with these layouts and used maps.
    void reachRecordsPhase(TransferEngine::Mode mode, const QByteArray &virtualPortsMap)
    {
        engine.start(mode, &config);
        if (mode == TransferEngine::Mode::Get) {
            for (int k = 0; k <= 15; ++k) {
                const int member = ExchClass::memberForDefinitionId(k);
                const int records = member == ExchClass::VirtualPortsMember ? 6 : 1;
                QByteArray definition = replyPacket(15, k, QByteArray(8, '\0'));
                if (member >= 0 && member != ExchClass::TonesMember) {
                    RecordClass layout;
                    giveLayout(layout, k, records);
                    definition = replyPacket(15, k, layout.DefinitionData());
                }
                engine.StructIn(definition);
            }
        }
        for (int k : {1, 2, 3, 4, 8, 10})
            engine.RecordsUsedIn(replyPacket(31, k, k == 1 ? virtualPortsMap : bytes("FF")));
    }
    void answerRecord(int code, int index, const QByteArray &image = bytes("05 00 00 00"))
    {
        engine.PacketIn(replyPacket(code, index, image));
    }
    // The exchange's answer to the record just written: the record under its request code.
    void echoLastWrite()
    {
        const Sent written = last();
        for (int m = 0; m < ExchClass::MemberCount; ++m) {
            if (config.member(m).SendCode() == written.code)
                answerRecord(config.member(m).RequestCode(), written.portId, written.data);
        }
    }

    SimulatedTimers timers;
    DebugLog log;
    SentFrames frames;
    PacketSender sender{&frames, nullptr, &log};
    RecordingLine line;
    TransferEngine engine{sender, line, timers, &log};
    RecordingObserver observer;
    ExchClass config{&log};
};
} // namespace

TEST_F(Transfer, GetWakesTheLineThenAsksForStructureZero)
{
    engine.start(TransferEngine::Mode::Get, &config);
    EXPECT_EQ(line.raw, QList<QByteArray>{bytes("7E 7E 7E")});
    EXPECT_TRUE(engine.transferRunning());
    EXPECT_EQ(sentCount(), 1);
    EXPECT_EQ(last().code, 15);
    EXPECT_EQ(last().portId, 0);
    EXPECT_EQ(observer.inProgress, QList<int>{0});
}

TEST_F(Transfer, DefinitionsWithoutAStructureAreSkippedAndUsedMapsFollowTheirOrder)
{
    engine.start(TransferEngine::Mode::Get, &config);
    for (int k = 0; k <= 5; ++k)
        engine.StructIn(replyPacket(15, k, bytes("00 00")));
    EXPECT_EQ(last().code, 15);
    EXPECT_EQ(last().portId, 6);
    EXPECT_EQ(config.System().Items(), 0);

    for (int k = 6; k <= 15; ++k)
        engine.StructIn(replyPacket(15, k, bytes("00 00")));
    EXPECT_EQ(last().code, 31);
    EXPECT_EQ(last().portId, 1);
    EXPECT_EQ(observer.done, QList<int>{0});

    engine.RecordsUsedIn(replyPacket(31, 1, bytes("03")));
    EXPECT_EQ(config.VirtualPorts().usedMap(), bytes("03"));
    EXPECT_EQ(last().portId, 2);
}

TEST_F(Transfer, RepliesThatAnswerNoPendingRequestAreLoggedAndCountAsSilence)
{
    engine.start(TransferEngine::Mode::Get, &config);
    engine.StructIn(replyPacket(15, 0, bytes("00 00")));
    const int sent = sentCount();
    engine.StructIn(replyPacket(15, 0, bytes("00 00")));
    engine.StructIn(replyPacket(15, 4, bytes("00 00")));
    engine.RecordsUsedIn(replyPacket(31, 1, bytes("FF")));
    answerRecord(36, 0);
    engine.acknowledge();
    EXPECT_EQ(sentCount(), sent);
    EXPECT_TRUE(engine.transferRunning());
    EXPECT_TRUE(log.text().contains(QStringLiteral("##Reply 36 for 0 ignored: the transfer waits for 15 for 1")))
        << log.text().toStdString();

    timers.advance(2500);
    EXPECT_EQ(observer.statuses.last(), QStringLiteral("Attempt #1"));
    ASSERT_EQ(sentCount(), sent + 1);
    EXPECT_EQ(frames.contents.last(), bytes("0F 00 06 30 30 7E 7E 7E 7E 01 00 00 00"));
}

TEST_F(Transfer, AnIsolatedLossCostsOneRetransmissionInEveryPhase)
{
    // Each phase loses one reply, then another after one arrived: never a reset.
    engine.start(TransferEngine::Mode::Get, &config);
    for (int k = 0; k <= 15; ++k) {
        if (k % 4 == 1)
            timers.advance(2500);
        engine.StructIn(replyPacket(15, k, bytes("00 00")));
    }
    for (int k : {1, 2, 3, 4, 8, 10}) {
        if (k != 2)
            timers.advance(2500);
        engine.RecordsUsedIn(replyPacket(31, k, bytes("FF")));
    }
    EXPECT_EQ(observer.statuses.count(QStringLiteral("Attempt #1")), 9);
    EXPECT_FALSE(observer.statuses.contains(QStringLiteral("Attempt #2")));
    EXPECT_TRUE(line.rts.isEmpty());
    EXPECT_EQ(last().code, 14);
}

TEST_F(Transfer, AMissingReplyIsSentAgainOnceThenTheLineIsReset)
{
    engine.start(TransferEngine::Mode::Get, &config);
    timers.advance(2499);
    EXPECT_EQ(sentCount(), 1);
    timers.advance(1);
    ASSERT_EQ(sentCount(), 2);
    EXPECT_EQ(frames.contents.last(), bytes("0F 00 06 30 30 7E 7E 7E 7E 00 00 00 00"));
    EXPECT_EQ(line.clears, 1);
    EXPECT_EQ(observer.statuses.last(), QStringLiteral("Attempt #1"));
    EXPECT_EQ(engine.pendingPacket(), bytes("00 00"));

    timers.advance(2500);
    EXPECT_EQ(observer.statuses.last(), QStringLiteral("Attempt #2"));
    EXPECT_EQ(line.rts, QList<bool>{true});
    EXPECT_EQ(sentCount(), 2);

    timers.advance(4000);
    EXPECT_EQ(observer.statuses.last(), QStringLiteral("Comms Reset Stage 1"));
    EXPECT_EQ(line.rts, (QList<bool>{true, false}));
    timers.advance(4000);
    EXPECT_EQ(observer.statuses.last(), QStringLiteral("Comms Reset Stage 2"));
    EXPECT_EQ(line.clears, 2);
    timers.advance(4000);
    EXPECT_EQ(observer.statuses.last(), QStringLiteral("Comms Reset Stage 3"));
    ASSERT_EQ(sentCount(), 3);
    EXPECT_EQ(frames.contents.last(), bytes("0F 00 06 30 30 7E 7E 7E 7E 00 00 00 00"));

    // One more silence starts the next reset at once; a reply ends it all.
    timers.advance(2500);
    EXPECT_EQ(observer.statuses.last(), QStringLiteral("Attempt #3"));
    engine.StructIn(replyPacket(15, 0, bytes("00 00")));
    EXPECT_EQ(last().portId, 1);
    EXPECT_TRUE(engine.transferRunning());
}

TEST_F(Transfer, NoCtsAtTheSecondResetStageEndsTheTransferKeepingWhatArrived)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("3F"));
    answerRecord(14, 0, bytes("01 00 00 00"));
    line.cts = false;
    timers.advance(2500 + 2500 + 4000 + 4000);
    EXPECT_EQ(observer.outcome, TransferObserver::Outcome::NotConnected);
    EXPECT_EQ(engine.failureText(), QStringLiteral("Orvex not connected or turned on"));
    EXPECT_FALSE(engine.transferRunning());
    EXPECT_EQ(config.ClassList().record(0), bytes("01 00 00 00"));
    const int sent = sentCount();
    timers.advance(60000);
    EXPECT_EQ(sentCount(), sent);
}

TEST_F(Transfer, GetAsksOnlyForUsedRecordsAndBlanksTheRest)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("29"));
    EXPECT_EQ(last().code, 14);
    answerRecord(14, 0);
    EXPECT_EQ(last().code, 20);
    answerRecord(20, 0);
    EXPECT_EQ(last().code, 10);
    EXPECT_EQ(last().portId, 0);
    answerRecord(10, 0);
    // Used map 0b101001: records 3 and 5 are asked for, 1, 2 and 4 blanked.
    EXPECT_EQ(last().portId, 3);
    EXPECT_EQ(config.VirtualPorts().record(1), QByteArray(4, char(0xFF)));
    answerRecord(10, 3);
    EXPECT_EQ(last().portId, 5);
    answerRecord(10, 5);
    EXPECT_EQ(last().code, 12);
    EXPECT_EQ(last().portId, 0);
    EXPECT_TRUE(observer.done.contains(4));
}

TEST_F(Transfer, CancelEndsTheTransferAtOnceAndNothingIsSentAfterwards)
{
    engine.start(TransferEngine::Mode::Get, &config);
    const int sent = sentCount();
    engine.cancel();
    EXPECT_EQ(observer.outcome, TransferObserver::Outcome::Cancelled);
    EXPECT_FALSE(engine.transferRunning());
    EXPECT_EQ(engine.failureText(), QString());
    timers.advance(60000);
    EXPECT_EQ(sentCount(), sent);
}

TEST_F(Transfer, ThreeUnansweredCommsResetsEndTheTransferWithNoOrvexDetected)
{
    engine.start(TransferEngine::Mode::Get, &config);
    timers.advance(30000);
    EXPECT_TRUE(engine.transferRunning());
    timers.advance(30000);
    EXPECT_EQ(observer.outcome, TransferObserver::Outcome::NoReply);
    EXPECT_EQ(engine.failureText(), QStringLiteral("No Orvex detected"));
    EXPECT_EQ(line.rts, (QList<bool>{true, false, true, false, true, false}));
    // The request, its retransmission and one resend at the end of each reset.
    EXPECT_EQ(sentCount(), 5);
    timers.advance(60000);
    EXPECT_EQ(sentCount(), 5);
}

TEST_F(Transfer, ToneStructureWithoutRecordsEndsWithAMessage)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("01"));
    for (int code : {14, 20, 10, 12, 11, 29})
        answerRecord(code, 0);
    EXPECT_EQ(last().code, 13);
    answerRecord(13, 0);
    EXPECT_EQ(observer.messages, QStringList{QStringLiteral("No Tones to be reconfigured")});
    EXPECT_EQ(observer.outcome, TransferObserver::Outcome::Completed);
}

TEST_F(Transfer, SilentToneRepliesAreBlankedOnceTheRetriedRequestGoesUnanswered)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("01"));
    config.BuildDefaultTones();
    for (int code : {14, 20, 10, 12, 11, 29, 13})
        answerRecord(code, 0);
    EXPECT_EQ(last().code, 36);
    timers.advance(2500);
    EXPECT_EQ(observer.statuses.last(), QStringLiteral("Attempt #1"));
    EXPECT_FALSE(observer.outcome.has_value());
    timers.advance(999);
    EXPECT_FALSE(observer.outcome.has_value());
    timers.advance(1);
    EXPECT_EQ(observer.outcome, TransferObserver::Outcome::Completed);
    EXPECT_EQ(config.Tones().record(11), QByteArray(64, char(0xFF)));
}

TEST_F(Transfer, ALostFirstToneRequestIsRetriedNotTakenAsNoTones)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("01"));
    config.BuildDefaultTones();
    for (int code : {14, 20, 10, 12, 11, 29, 13})
        answerRecord(code, 0);
    timers.advance(2600);
    answerRecord(36, 0, config.Tones().record(0));
    timers.advance(5000);
    EXPECT_TRUE(engine.transferRunning());
    EXPECT_EQ(last().code, 36);
    EXPECT_EQ(config.Tones().GetString("Name", 1), QByteArray("ENGAGED"));
}

TEST_F(Transfer, SendToAnExchangeWithoutTonesKeepsTheDocumentsTones)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("01"));
    engine.abort();
    config.BuildDefaultTones();
    reachRecordsPhase(TransferEngine::Mode::Send, bytes("01"));
    for (int writes = 0; last().code != 37 && writes < 100; ++writes)
        echoLastWrite();
    EXPECT_EQ(last().code, 37);
    timers.advance(2500 + 1000);
    EXPECT_EQ(observer.outcome, TransferObserver::Outcome::Completed);
    EXPECT_EQ(config.Tones().GetString("Name", 0), QByteArray("DIAL"));
}

TEST_F(Transfer, SendSkipsFreeUnusedSlotsButSendsUnusedSlotsInUse)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("3F"));
    engine.abort();
    RecordClass &ports = config.VirtualPorts();
    for (int i = 0; i < ports.Records(); ++i)
        ports.PutData(replyPacket(10, i, bytes("00 01 00 00")));
    ports.SetBoolean("Flag", 2, 7, true);
    ports.SetBoolean("Flag", 4, 7, true);

    // The exchange marks only record 1 used: 2 and 4 are free and skipped,
    // 3 and 5 are still written because their slots are taken.
    reachRecordsPhase(TransferEngine::Mode::Send, bytes("02"));
    EXPECT_EQ(last().code, 27);
    answerRecord(14, 0);
    EXPECT_EQ(last().code, 21);
    answerRecord(20, 0);
    EXPECT_EQ(last().code, 16);
    EXPECT_EQ(last().portId, 0);
    QList<int> written;
    for (int index = 0; last().code == 16 && written.size() < 10;) {
        written.append(last().portId);
        index = last().portId;
        answerRecord(10, index, ports.record(index));
    }
    EXPECT_EQ(written, (QList<int>{0, 1, 3, 5}));
    EXPECT_EQ(last().code, 18);
}

TEST_F(Transfer, AGetEndsWithSuccessOnlyWithEveryLayoutAndEveryPromisedRecord)
{
    // A line that echoes the requests: every reply matches, none carries a layout.
    engine.start(TransferEngine::Mode::Get, &config);
    for (int k = 0; k <= 15; ++k)
        engine.StructIn(replyPacket(15, k, QByteArray()));
    for (int k : {1, 2, 3, 4, 8, 10})
        engine.RecordsUsedIn(replyPacket(31, k, QByteArray()));
    for (int code : {14, 20, 10, 12, 11, 29, 13})
        answerRecord(code, 0, QByteArray());
    EXPECT_EQ(observer.outcome, TransferObserver::Outcome::Incomplete);
    EXPECT_EQ(engine.failureText(),
              QStringLiteral("The configuration did not arrive whole (no layout for Class List, ACL, Virtual Ports, "
                             "System, Groups, Rights, Port To Virtual, Ext To Virtual); nothing was kept"));
    EXPECT_TRUE(observer.messages.isEmpty()) << "no word about tones from a line without an exchange";
}

TEST_F(Transfer, ASendFailsWhenAnEchoHoldsOtherBytesThanWereWritten)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("3F"));
    engine.abort();
    RecordClass &ports = config.VirtualPorts();
    for (int i = 0; i < ports.Records(); ++i)
        ports.PutData(replyPacket(10, i, bytes("00 01 00 00")));
    config.BuildDefaultTones();

    reachRecordsPhase(TransferEngine::Mode::Send, bytes("3F"));
    for (int writes = 0; engine.transferRunning() && writes < 100; ++writes) {
        if (last().code == ports.SendCode() && last().portId == 2)
            answerRecord(ports.RequestCode(), 2, bytes("00 01 09 00"));
        else
            echoLastWrite();
    }
    EXPECT_EQ(observer.outcome, TransferObserver::Outcome::Incomplete);
    EXPECT_EQ(engine.failureText(),
              QStringLiteral("The exchange did not echo these records as they were sent: Virtual Ports 2"));
}
