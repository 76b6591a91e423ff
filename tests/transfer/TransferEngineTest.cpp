#include "transfer/TransferEngine.h"
#include "link/FrameSink.h"
#include "link/LineControl.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "model/ExchClass.h"
#include "support/SimulatedTimers.h"
#include "support/TestSupport.h"

#include <optional>

namespace {
using Outcome = TransferObserver::Outcome;
const int RecordCodes[] = {14, 20, 10, 12, 11, 29, 13};

// The line, the frames sent (deframed back into their contents) and the observer, all in one.
class Transfer : public ::testing::Test, public LineControl, public FrameSink, public TransferObserver
{
protected:
    void SetUp() override
    {
        sender.setPendingStore(&engine);
        engine.setObserver(this);
    }

    void setRts(bool on) override { rts.append(on); }
    bool ctsPresent() const override { return cts; }
    void ClearInput() override { ++clears; }
    void writeRaw(const QByteArray &bytes) override { raw.append(bytes); }
    void PackSend(const QByteArray &frame) override { receiver.ProcessInput(frame); }
    void stepInProgress(int step) override { inProgress.append(step); }
    void stepDone(int step) override { done.append(step); }
    void statusText(const QString &text) override { statuses.append(text); }
    void message(const QString &text) override { messages.append(text); }
    void finished(Outcome result) override { outcome = result; }

    // The code, port id and data of the last packet sent.
    std::tuple<int, int, QByteArray> last() const
    {
        const QByteArray c = sent.last();
        return {quint8(c[0]), int(PInt(c, 6, 2)), c.mid(7, c.size() - 9)};
    }
    int lastCode() const { return std::get<0>(last()); }
    int lastPort() const { return std::get<1>(last()); }

    // Runs a transfer up to the records phase: a two-field layout for every
    // structure, six virtual ports, one record elsewhere, and these used maps.
    void reachRecordsPhase(TransferEngine::Mode mode, const QByteArray &virtualPortsMap)
    {
        engine.start(mode, &config);
        for (int k = 0; mode == TransferEngine::Mode::Get && k <= 15; ++k) {
            const int member = ExchClass::memberForDefinitionId(k);
            RecordClass layout;
            layout.BuildStructure(definitionPacket(k, "S", member == ExchClass::VirtualPortsMember ? 6 : 1,
                                                   {{"Data", 2, 1, 0}, {"Flag", 3, 1, 0}, {"Spare", 2, 2, 0}}));
            const bool defined = member >= 0 && member != ExchClass::TonesMember;
            engine.StructIn(replyPacket(15, k, defined ? layout.DefinitionData() : QByteArray(8, '\0')));
        }
        for (int k : {1, 2, 3, 4, 8, 10})
            engine.RecordsUsedIn(replyPacket(31, k, k == 1 ? virtualPortsMap : bytes("FF")));
    }
    void answer(int code, int index, const QByteArray &image = bytes("05 00 00 00"))
    {
        engine.PacketIn(replyPacket(code, index, image));
    }
    // The exchange's answer to the record just written: the record under its request code.
    void echoLastWrite()
    {
        const auto [code, index, data] = last();
        for (int m = 0; m < ExchClass::MemberCount; ++m) {
            if (config.member(m).SendCode() == code)
                answer(config.member(m).RequestCode(), index, data);
        }
    }
    // A send of the default tones and virtual ports that all hold "00 01 00 00", after a get that gave the layouts.
    void startSend(const QByteArray &virtualPortsMap)
    {
        reachRecordsPhase(TransferEngine::Mode::Get, bytes("3F"));
        engine.abort();
        for (int i = 0; i < config.VirtualPorts().Records(); ++i)
            config.VirtualPorts().PutData(replyPacket(10, i, bytes("00 01 00 00")));
        config.BuildDefaultTones();
        reachRecordsPhase(TransferEngine::Mode::Send, virtualPortsMap);
    }

    QList<bool> rts;
    bool cts = true;
    int clears = 0;
    QList<QByteArray> raw;
    QList<QByteArray> sent;
    Receiver receiver{[this](const QByteArray &content) { sent.append(content); }};
    QList<int> inProgress, done;
    QStringList statuses, messages;
    std::optional<Outcome> outcome;

    SimulatedTimers timers;
    DebugLog log;
    PacketSender sender{this, nullptr, &log};
    TransferEngine engine{sender, *this, timers, &log};
    ExchClass config{&log};
};
} // namespace

TEST_F(Transfer, AGetWakesTheLineAsksForEachStructureSkippingEmptyOnesThenForTheUsedMapsInOrder)
{
    engine.start(TransferEngine::Mode::Get, &config);
    EXPECT_EQ(raw, QList<QByteArray>{bytes("7E 7E 7E")});
    EXPECT_EQ(sent, QList<QByteArray>{bytes("0F 00 02 30 30 00 00 00 00")});
    EXPECT_EQ(inProgress, QList<int>{0});
    for (int k = 0; k <= 5; ++k)
        engine.StructIn(replyPacket(15, k, bytes("00 00")));
    EXPECT_EQ(last(), std::make_tuple(15, 6, QByteArray()));
    EXPECT_EQ(config.System().Items(), 0);
    for (int k = 6; k <= 15; ++k)
        engine.StructIn(replyPacket(15, k, bytes("00 00")));
    EXPECT_EQ(last(), std::make_tuple(31, 1, QByteArray()));
    EXPECT_EQ(done, QList<int>{0});
    engine.RecordsUsedIn(replyPacket(31, 1, bytes("03")));
    EXPECT_EQ(config.VirtualPorts().usedMap(), bytes("03"));
    EXPECT_EQ(lastPort(), 2);

    EXPECT_EQ(TransferEngine::stepTitle(0), QStringLiteral("Structures"));
    EXPECT_EQ(TransferEngine::stepTitle(11), QStringLiteral("Spare"));
    EXPECT_EQ(TransferEngine::stepTitle(-1), QString());
    EXPECT_EQ(TransferEngine::stepTitle(12), QString());
}

TEST_F(Transfer, RepliesThatAnswerNoPendingRequestAreLoggedAndCountAsSilence)
{
    engine.start(TransferEngine::Mode::Get, &config);
    engine.StructIn(replyPacket(15, 0, bytes("00 00")));
    const qsizetype before = sent.size();
    engine.StructIn(replyPacket(15, 0, bytes("00 00")));
    engine.StructIn(replyPacket(15, 4, bytes("00 00")));
    engine.RecordsUsedIn(replyPacket(31, 1, bytes("FF")));
    answer(36, 0);
    engine.acknowledge();
    EXPECT_EQ(sent.size(), before);
    EXPECT_TRUE(engine.transferRunning());
    EXPECT_TRUE(log.text().contains(QStringLiteral("##Reply 36 for 0 ignored: the transfer waits for 15 for 1")))
        << log.text().toStdString();
    timers.advance(2500);
    EXPECT_EQ(sent.mid(before), QList<QByteArray>{bytes("0F 00 06 30 30 7E 7E 7E 7E 01 00 00 00")});
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
    EXPECT_EQ(statuses.count(QStringLiteral("Attempt #1")), 9);
    EXPECT_FALSE(statuses.contains(QStringLiteral("Attempt #2")));
    EXPECT_TRUE(rts.isEmpty());
    EXPECT_EQ(lastCode(), 14);
}

TEST_F(Transfer, AMissingReplyIsSentAgainOnceThenTheLineIsResetInThreeStages)
{
    engine.start(TransferEngine::Mode::Get, &config);
    timers.advance(2499);
    EXPECT_EQ(sent.size(), 1);
    timers.advance(1);
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent.last(), bytes("0F 00 06 30 30 7E 7E 7E 7E 00 00 00 00"));
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(statuses.last(), QStringLiteral("Attempt #1"));

    timers.advance(2500);
    EXPECT_EQ(statuses.last(), QStringLiteral("Attempt #2"));
    EXPECT_EQ(rts, QList<bool>{true});
    EXPECT_EQ(sent.size(), 2);
    timers.advance(4000);
    EXPECT_EQ(statuses.last(), QStringLiteral("Comms Reset Stage 1"));
    EXPECT_EQ(rts, (QList<bool>{true, false}));
    timers.advance(4000);
    EXPECT_EQ(statuses.last(), QStringLiteral("Comms Reset Stage 2"));
    EXPECT_EQ(clears, 2);
    timers.advance(4000);
    EXPECT_EQ(statuses.last(), QStringLiteral("Comms Reset Stage 3"));
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent.last(), bytes("0F 00 06 30 30 7E 7E 7E 7E 00 00 00 00"));

    // One more silence starts the next reset at once; a reply ends it all.
    timers.advance(2500);
    EXPECT_EQ(statuses.last(), QStringLiteral("Attempt #3"));
    engine.StructIn(replyPacket(15, 0, bytes("00 00")));
    EXPECT_EQ(lastPort(), 1);
    EXPECT_TRUE(engine.transferRunning());
}

TEST_F(Transfer, ThreeUnansweredResetsEndTheTransferWithNoOrvexDetectedAndNothingIsSentAfterwards)
{
    engine.start(TransferEngine::Mode::Get, &config);
    timers.advance(30000);
    EXPECT_TRUE(engine.transferRunning());
    timers.advance(30000);
    EXPECT_EQ(outcome, Outcome::NoReply);
    EXPECT_EQ(engine.failureText(), QStringLiteral("No Orvex detected"));
    EXPECT_EQ(rts, (QList<bool>{true, false, true, false, true, false}));
    // The request, its retransmission and one resend at the end of each reset.
    EXPECT_EQ(sent.size(), 5);
    timers.advance(60000);
    EXPECT_EQ(sent.size(), 5);
}

TEST_F(Transfer, NoCtsAtTheSecondResetStageEndsTheTransferKeepingWhatArrived)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("3F"));
    answer(14, 0, bytes("01 00 00 00"));
    cts = false;
    timers.advance(2500 + 2500 + 4000 + 4000);
    EXPECT_EQ(outcome, Outcome::NotConnected);
    EXPECT_EQ(engine.failureText(), QStringLiteral("Orvex not connected or turned on"));
    EXPECT_EQ(config.ClassList().record(0), bytes("01 00 00 00"));
    const qsizetype before = sent.size();
    timers.advance(60000);
    EXPECT_EQ(sent.size(), before);
}

TEST_F(Transfer, CancelEndsTheTransferAtOnceAndNothingIsSentAfterwards)
{
    engine.start(TransferEngine::Mode::Get, &config);
    engine.cancel();
    EXPECT_EQ(outcome, Outcome::Cancelled);
    EXPECT_EQ(engine.failureText(), QString());
    timers.advance(60000);
    EXPECT_EQ(sent.size(), 1);
}

TEST_F(Transfer, AGetAsksOnlyForUsedRecordsAndBlanksTheRest)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("29"));
    answer(14, 0);
    answer(20, 0);
    EXPECT_EQ(last(), std::make_tuple(10, 0, QByteArray()));
    answer(10, 0);
    // Used map 0b101001: records 3 and 5 are asked for, 1, 2 and 4 blanked.
    EXPECT_EQ(lastPort(), 3);
    EXPECT_EQ(config.VirtualPorts().record(1), QByteArray(4, char(0xFF)));
    answer(10, 3);
    EXPECT_EQ(lastPort(), 5);
    answer(10, 5);
    EXPECT_EQ(last(), std::make_tuple(12, 0, QByteArray()));
    EXPECT_TRUE(done.contains(4));
}

TEST_F(Transfer, AGetEndsWithSuccessOnlyWithEveryLayoutAndEveryPromisedRecord)
{
    // A line that echoes the requests: every reply matches, none carries a layout.
    engine.start(TransferEngine::Mode::Get, &config);
    for (int k = 0; k <= 15; ++k)
        engine.StructIn(replyPacket(15, k, QByteArray()));
    for (int k : {1, 2, 3, 4, 8, 10})
        engine.RecordsUsedIn(replyPacket(31, k, QByteArray()));
    for (int code : RecordCodes)
        answer(code, 0, QByteArray());
    EXPECT_EQ(outcome, Outcome::Incomplete);
    EXPECT_EQ(engine.failureText(),
              QStringLiteral("The configuration did not arrive whole (no layout for Class List, ACL, Virtual Ports, "
                             "System, Groups, Rights, Port To Virtual, Ext To Virtual); nothing was kept"));
    EXPECT_TRUE(messages.isEmpty()) << "no word about tones from a line without an exchange";
}

TEST_F(Transfer, AToneStructureWithoutRecordsEndsTheGetWithAMessage)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("01"));
    for (int code : RecordCodes) {
        EXPECT_EQ(lastCode(), code);
        answer(code, 0);
    }
    EXPECT_EQ(messages, QStringList{QStringLiteral("No Tones to be reconfigured")});
    EXPECT_EQ(outcome, Outcome::Completed);
}

TEST_F(Transfer, SilentToneRepliesAreBlankedOnceTheRetriedRequestGoesUnansweredButALostFirstOneIsRetried)
{
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("01"));
    config.BuildDefaultTones();
    for (int code : RecordCodes)
        answer(code, 0);
    EXPECT_EQ(lastCode(), 36);
    timers.advance(2500 + 999);
    EXPECT_FALSE(outcome.has_value());
    timers.advance(1);
    EXPECT_EQ(outcome, Outcome::Completed);
    EXPECT_EQ(config.Tones().record(11), QByteArray(64, char(0xFF)));

    outcome.reset();
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("01"));
    config.BuildDefaultTones();
    for (int code : RecordCodes)
        answer(code, 0);
    timers.advance(2600);
    answer(36, 0, config.Tones().record(0));
    timers.advance(5000);
    EXPECT_TRUE(engine.transferRunning());
    EXPECT_EQ(lastCode(), 36);
    EXPECT_EQ(config.Tones().GetString("Name", 1), QByteArray("ENGAGED"));
}

TEST_F(Transfer, ASendSkipsFreeUnusedSlotsButWritesUnusedSlotsInUse)
{
    // The exchange marks only record 1 used: 2 and 4 are free and skipped,
    // 3 and 5 are still written because their slots are taken.
    reachRecordsPhase(TransferEngine::Mode::Get, bytes("3F"));
    engine.abort();
    RecordClass &ports = config.VirtualPorts();
    for (int i = 0; i < ports.Records(); ++i)
        ports.PutData(replyPacket(10, i, bytes("00 01 00 00")));
    ports.SetBoolean("Flag", 2, 7, true);
    ports.SetBoolean("Flag", 4, 7, true);
    reachRecordsPhase(TransferEngine::Mode::Send, bytes("02"));
    EXPECT_EQ(lastCode(), 27);
    answer(14, 0);
    EXPECT_EQ(lastCode(), 21);
    answer(20, 0);
    QList<int> written;
    while (lastCode() == 16 && written.size() < 10) {
        written.append(lastPort());
        answer(10, lastPort(), ports.record(lastPort()));
    }
    EXPECT_EQ(written, (QList<int>{0, 1, 3, 5}));
    EXPECT_EQ(lastCode(), 18);
}

TEST_F(Transfer, ASendFailsWhenAnEchoHoldsOtherBytesAndToAnExchangeWithoutTonesKeepsTheDocumentsTones)
{
    startSend(bytes("3F"));
    for (int writes = 0; engine.transferRunning() && writes < 100; ++writes) {
        if (last() == std::make_tuple(16, 2, config.VirtualPorts().record(2)))
            answer(10, 2, bytes("00 01 09 00"));
        else
            echoLastWrite();
    }
    EXPECT_EQ(outcome, Outcome::Incomplete);
    EXPECT_EQ(engine.failureText(),
              QStringLiteral("The exchange did not echo these records as they were sent: Virtual Ports 2"));

    outcome.reset();
    startSend(bytes("01"));
    for (int writes = 0; lastCode() != 37 && writes < 100; ++writes)
        echoLastWrite();
    EXPECT_EQ(lastCode(), 37);
    timers.advance(2500 + 1000);
    EXPECT_EQ(outcome, Outcome::Completed);
    EXPECT_EQ(config.Tones().GetString("Name", 0), QByteArray("DIAL"));
}
