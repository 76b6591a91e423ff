#include "link/FrameSink.h"
#include "link/LineControl.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/SimulatedTimers.h"
#include "support/TestSupport.h"
#include "transfer/TransferEngine.h"

#include <optional>

namespace {
using Outcome = TransferObserver::Outcome;
constexpr int ImageStart = 7;

// The engine on a line whose far end is the simulator holding the sample;
// the exchange's replies arrive when the test lets time pass.
class SendChanges : public ::testing::Test, public LineControl, public FrameSink, public TransferObserver
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(simulator.configuration());
        SampleConfiguration::build(document);
        sender.setPendingStore(&engine);
        engine.setObserver(this);
    }

    void setRts(bool) override {}
    bool ctsPresent() const override { return true; }
    void ClearInput() override {}
    void writeRaw(const QByteArray &bytes) override { simulator.feed(bytes); }
    void PackSend(const QByteArray &frame) override
    {
        written.append(frame);
        if (!silent)
            replies.append(simulator.feed(frame));
    }
    void finished(Outcome result) override { outcome = result; }
    void currentProgress(int value, int maximum) override
    {
        progress.append(QStringLiteral("%1/%2").arg(value).arg(maximum));
    }

    void run(const QList<RecordRef> &records)
    {
        outcome.reset();
        engine.startRecords(&document, records);
        for (int turns = 0; engine.transferRunning() && turns < 1000; ++turns) {
            if (replies.isEmpty())
                timers.advance(500);
            else
                receiver.ProcessInput(replies.takeFirst());
        }
    }

    // Each record of the exchange is the document's where listed, else the sample's.
    void expectExchangeHolds(const QList<RecordRef> &listed)
    {
        ExchClass sample;
        SampleConfiguration::build(sample);
        for (int m = 0; m < ExchClass::MemberCount; ++m) {
            for (int i = 0; i < sample.member(m).Records(); ++i) {
                const ExchClass &expected = listed.contains(RecordRef{m, i}) ? document : sample;
                EXPECT_EQ(simulator.configuration().member(m).record(i), expected.member(m).record(i))
                    << ExchClass::info(m).name << " " << i;
            }
        }
    }

    ExchangeSimulator simulator;
    QList<QByteArray> written;
    QList<QByteArray> replies;
    bool silent = false;
    // The index of a record whose echo comes back with its first byte changed.
    int alteredEcho = -1;
    Receiver receiver{[this](QByteArray content) {
        if (RecordClass::replyIndex(content) == alteredEcho && content.size() > ImageStart)
            content[ImageStart] = char(content.at(ImageStart) ^ 1);
        engine.PacketIn(content);
    }};
    std::optional<Outcome> outcome;
    QStringList progress;
    SimulatedTimers timers;
    DebugLog log;
    PacketSender sender{this, nullptr, &log};
    TransferEngine engine{sender, *this, timers, &log};
    ExchClass document{&log};
};
} // namespace

TEST_F(SendChanges, OnlyTheListedRecordsAreWrittenInSendOrderEachConfirmedAlsoOnALineThatLosesFrames)
{
    document.VirtualPorts().SetString(FieldNames::Name, 1, "Front Desk");
    document.ACL().SetString(FieldNames::Name, 2, "Changed Name");
    RecordSlots::release(document.Groups(), 2);
    document.Tones().SetString(FieldNames::Name, 3, "HOLD");
    // Changed, but not listed: it stays as the exchange has it.
    document.System().SetString(FieldNames::Name, 0, "Harbour Office");
    const QList<RecordRef> listed{{ExchClass::TonesMember, 3},        {ExchClass::GroupsMember, 2},
                                  {ExchClass::VirtualPortsMember, 1}, {ExchClass::ACLMember, 2},
                                  {ExchClass::VirtualPortsMember, 1}, {ExchClass::RightsMember, 0}};
    run(listed);
    ASSERT_EQ(outcome, Outcome::Completed) << engine.failureText().toStdString();
    QList<int> codes;
    for (const QByteArray &frame : written)
        codes.append(quint8(frame.at(1)));
    const ExchClass &d = document;
    EXPECT_EQ(
        codes,
        (QList<int>{d.VirtualPorts().SendCode(), d.ACL().SendCode(), d.Groups().SendCode(), d.Tones().SendCode()}));
    expectExchangeHolds(listed);
    EXPECT_FALSE(simulator.configuration().Groups().GetRecordUsed(2));
    // Each structure's progress counts its listed records.
    EXPECT_EQ(progress.mid(1).join(QLatin1Char(' ')), QStringLiteral("0/1 1/1 0/1 1/1 0/1 1/1 0/1 1/1"));

    document.VirtualPorts().SetString(FieldNames::Name, 4, "Night Porter");
    document.ACL().SetString(FieldNames::Name, 3, "Late Shift");
    simulator.setDropEvery(2);
    run({{ExchClass::VirtualPortsMember, 4}, {ExchClass::ACLMember, 3}});
    ASSERT_EQ(outcome, Outcome::Completed) << engine.failureText().toStdString();
    EXPECT_EQ(simulator.framesDropped(), 1);
    expectExchangeHolds(listed + QList<RecordRef>{{ExchClass::VirtualPortsMember, 4}, {ExchClass::ACLMember, 3}});
}

TEST_F(SendChanges, EveryRecordTheExchangeDidNotConfirmIsNamed)
{
    alteredEcho = 1;
    run({{ExchClass::VirtualPortsMember, 1}, {ExchClass::VirtualPortsMember, 2}});
    EXPECT_EQ(outcome, Outcome::Incomplete);
    // Named as the exchange stored it.
    EXPECT_EQ(engine.failureText(),
              QStringLiteral("The exchange did not confirm these records: Virtual Ports 1 (Seception 2)"));
    alteredEcho = -1;

    simulator.setNoTones(true);
    run({{ExchClass::VirtualPortsMember, 1}, {ExchClass::TonesMember, 2}, {ExchClass::TonesMember, 3}});
    EXPECT_EQ(outcome, Outcome::Incomplete);
    EXPECT_EQ(engine.failureText(),
              QStringLiteral("The exchange did not confirm these records: Tones 2 (NU), Tones 3 (ONHOLD)"));

    silent = true;
    run({{ExchClass::ClassListMember, 1}, {ExchClass::ExtToVirtualMember, 5}});
    EXPECT_EQ(outcome, Outcome::NoReply);
    EXPECT_EQ(engine.failureText(),
              QStringLiteral("No Orvex detected. The exchange did not confirm these records: "
                             "Class List 1 (Management), Ext To Virtual 5"));
}
