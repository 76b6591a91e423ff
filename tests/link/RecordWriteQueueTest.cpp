#include "link/RecordWriteQueue.h"
#include "link/FrameSink.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "model/FieldNames.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/SimulatedTimers.h"
#include "support/TestSupport.h"

namespace {
using State = RecordWriteQueue::State;
constexpr int Ports = ExchClass::VirtualPortsMember;

// A document's configuration and the exchange it came from, on a line whose
// replies the test hands back to the queue, or loses.
class RecordWriteQueueTest : public ::testing::Test, public FrameSink
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(exchange.configuration());
        document = exchange.configuration();
    }

    void PackSend(const QByteArray &frame) override
    {
        sentFrames.append(frame);
        for (const QByteArray &reply : exchange.feed(frame))
            replies.append(reply);
    }

    // Hands every reply so far to the queue, as the dispatcher would.
    void deliverReplies()
    {
        for (const QByteArray &reply : std::exchange(replies, {}))
            replyReceiver.ProcessInput(reply);
    }

    void rename(int index, const char *name)
    {
        document.VirtualPorts().SetString(FieldNames::Name, index, QByteArray(name));
    }

    QByteArray exchangeName(int index) const
    {
        return exchange.configuration().VirtualPorts().GetString(FieldNames::Name, index);
    }

    std::optional<State> stateOf(int index) const { return queue.state(document, Ports, index); }

    ExchangeSimulator exchange;
    ExchClass document;
    SimulatedTimers timers;
    PacketSender sender{this};
    RecordWriteQueue queue{sender, timers};
    QList<QByteArray> sentFrames;
    QList<QByteArray> replies;
    QList<bool> taken;
    Receiver replyReceiver{[this](const QByteArray &content) { taken.append(queue.recordReply(content)); }};
};

TEST_F(RecordWriteQueueTest, OneWriteIsOnTheLineAtATimeAndEachIsConfirmedByItsEcho)
{
    rename(5, "Quay Office");
    rename(6, "Boat House");
    ASSERT_TRUE(queue.writeRecord(document, Ports, 5));
    ASSERT_TRUE(queue.writeRecord(document, Ports, 6));
    EXPECT_EQ(sentFrames.size(), 1);
    EXPECT_EQ(stateOf(5), State::Waiting);
    EXPECT_EQ(queue.count(State::Waiting), 2);

    deliverReplies();
    EXPECT_EQ(stateOf(5), State::Confirmed);
    EXPECT_EQ(sentFrames.size(), 2);
    deliverReplies();
    EXPECT_EQ(taken, (QList<bool>{true, true}));
    EXPECT_EQ(stateOf(6), State::Confirmed);
    EXPECT_EQ(exchangeName(5), "Quay Office");
    EXPECT_EQ(exchangeName(6), "Boat House");
    EXPECT_TRUE(queue.isIdle());
    EXPECT_FALSE(queue.state(document, Ports, 7).has_value());
}

TEST_F(RecordWriteQueueTest, AWriteWithoutEchoIsResentThreeTimesMarkedAsARetransmissionThenFailsWithTheWritesBehindIt)
{
    queue.writeRecord(document, Ports, 5);
    queue.writeRecord(document, Ports, 6);
    replies.clear();
    const QByteArray first = sentFrames.first();
    timers.advance(3 * RecordWriteQueue::RetransmitInterval);
    ASSERT_EQ(sentFrames.size(), 4);
    // Code 16, then after "00" four escaped delimiters before the index.
    const QString frame = hex(sentFrames.last());
    EXPECT_TRUE(frame.startsWith(QStringLiteral("7E 10 00 ")));
    EXPECT_EQ(frame.mid(frame.indexOf(QStringLiteral("30 30 ")) + 6, 30),
              QStringLiteral("7D 7E 7D 7E 7D 7E 7D 7E 05 00 "));
    replies.clear();
    EXPECT_EQ(stateOf(5), State::Waiting);
    timers.advance(RecordWriteQueue::RetransmitInterval);
    EXPECT_EQ(stateOf(5), State::Failed);
    EXPECT_EQ(stateOf(6), State::Failed);
    EXPECT_EQ(sentFrames.size(), 4);
    EXPECT_TRUE(queue.isIdle());

    queue.retryFailed(&document);
    EXPECT_EQ(sentFrames.last(), first);
    deliverReplies();
    deliverReplies();
    EXPECT_EQ(queue.count(State::Confirmed, &document), 2);
}

TEST_F(RecordWriteQueueTest, EachLostEchoCostsOneResend)
{
    exchange.setDropEvery(2);
    for (int index : {3, 4, 5})
        queue.writeRecord(document, Ports, index);
    for (int step = 0; step < 10 && !queue.isIdle(); ++step) {
        deliverReplies();
        if (!queue.isIdle() && replies.isEmpty())
            timers.advance(RecordWriteQueue::RetransmitInterval);
    }
    EXPECT_EQ(queue.count(State::Confirmed), 3);
    EXPECT_EQ(sentFrames.size(), 3 + exchange.framesDropped());
}

TEST_F(RecordWriteQueueTest, EchoesOfResendsThatComeLateAreNeitherTheNextWritesAnswerNorNewsForTheDocument)
{
    QList<int> mismatched;
    QObject::connect(&queue, &RecordWriteQueue::echoMismatch,
                     [&](const ExchClass *, int, int index) { mismatched.append(index); });
    // A slow exchange: the write is resent before its echo, then both sends are echoed.
    rename(5, "Quay Office");
    queue.writeRecord(document, Ports, 5);
    timers.advance(RecordWriteQueue::RetransmitInterval);
    replyReceiver.ProcessInput(replies.takeFirst());
    EXPECT_EQ(stateOf(5), State::Confirmed);
    rename(5, "Boat House");
    queue.writeRecord(document, Ports, 5);
    deliverReplies();
    const auto reply = [this](int index) {
        replyReceiver.ProcessInput(ExchangeSimulator::replyFrame(10, index, document.VirtualPorts().record(index)));
        return taken.last();
    };
    EXPECT_EQ(taken, (QList<bool>{true, true, true}));
    EXPECT_EQ(stateOf(5), State::Confirmed);
    EXPECT_TRUE(mismatched.isEmpty());
    EXPECT_FALSE(reply(5)) << "a write answered at once owes nothing";

    // A write that failed unanswered is still owed every echo of its four sends,
    // until its document is gone.
    queue.writeRecord(document, Ports, 6);
    timers.advance(4 * RecordWriteQueue::RetransmitInterval);
    ASSERT_EQ(stateOf(6), State::Failed);
    ASSERT_EQ(replies.size(), 4);
    for (int echo = 0; echo < 3; ++echo)
        replyReceiver.ProcessInput(replies.takeFirst());
    EXPECT_EQ(taken.mid(4), (QList<bool>{true, true, true}));
    EXPECT_FALSE(reply(7)) << "another record's reply is the exchange's news";
    queue.forget(document);
    deliverReplies();
    EXPECT_FALSE(taken.last());
}

TEST_F(RecordWriteQueueTest, RepliesForOtherRecordsAreLeftToTheDocumentAndAnEchoHoldingOtherBytesFailsTheWrite)
{
    QList<int> mismatched;
    QObject::connect(&queue, &RecordWriteQueue::echoMismatch,
                     [&](const ExchClass *, int member, int index) { mismatched.append(member * 1000 + index); });
    queue.writeRecord(document, Ports, 5);
    replies.clear();
    const QByteArray record = document.VirtualPorts().record(5);
    replyReceiver.ProcessInput(ExchangeSimulator::replyFrame(10, 6, record));
    replyReceiver.ProcessInput(ExchangeSimulator::replyFrame(12, 5, record));
    EXPECT_EQ(taken, (QList<bool>{false, false}));
    EXPECT_EQ(stateOf(5), State::Waiting);

    replyReceiver.ProcessInput(ExchangeSimulator::replyFrame(10, 5, exchange.configuration().VirtualPorts().record(4)));
    EXPECT_EQ(stateOf(5), State::Failed);
    EXPECT_EQ(mismatched, QList<int>{Ports * 1000 + 5});
}

TEST_F(RecordWriteQueueTest, ARecordEditedAgainGoesOutOnceMoreWithItsNewestBytes)
{
    rename(5, "First");
    queue.writeRecord(document, Ports, 5);
    rename(5, "Second");
    queue.writeRecord(document, Ports, 5);
    rename(5, "Third");
    queue.writeRecord(document, Ports, 5);
    deliverReplies();
    EXPECT_EQ(stateOf(5), State::Waiting);
    deliverReplies();
    EXPECT_EQ(sentFrames.size(), 2);
    EXPECT_EQ(stateOf(5), State::Confirmed);
    EXPECT_EQ(exchangeName(5), "Third");
}

TEST_F(RecordWriteQueueTest, AHeldQueueSendsNothingAndSendsItsWriteInFlightAgainWhenReleased)
{
    queue.writeRecord(document, Ports, 5);
    replies.clear();
    queue.setHeld(true);
    queue.writeRecord(document, Ports, 6);
    timers.advance(4 * RecordWriteQueue::RetransmitInterval);
    EXPECT_EQ(sentFrames.size(), 1);
    EXPECT_EQ(stateOf(5), State::Waiting);

    queue.setHeld(false);
    ASSERT_EQ(sentFrames.size(), 2);
    EXPECT_EQ(sentFrames[1], sentFrames[0]);
    deliverReplies();
    deliverReplies();
    EXPECT_EQ(queue.count(State::Confirmed), 2);
}

TEST_F(RecordWriteQueueTest, AForgottenConfigurationLeavesNoStatesAndNoHoldOnTheWritesOfAnother)
{
    ExchClass other = document;
    queue.writeRecord(other, Ports, 6);
    queue.writeRecord(document, Ports, 5);
    queue.writeRecord(other, Ports, 7);
    queue.forget(document);
    EXPECT_FALSE(stateOf(5).has_value());
    deliverReplies();
    deliverReplies();
    EXPECT_EQ(queue.count(State::Confirmed, &other), 2);
    EXPECT_EQ(sentFrames.size(), 2);

    // Forgetting the configuration whose write is on the line lets the next one go.
    queue.writeRecord(document, Ports, 5);
    queue.writeRecord(other, Ports, 8);
    replies.clear();
    queue.forget(document);
    EXPECT_EQ(sentFrames.size(), 4);
    EXPECT_FALSE(queue.writeRecord(other, Ports, document.VirtualPorts().Records()));
}
} // namespace
