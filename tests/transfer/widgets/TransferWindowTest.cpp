#include "link/FrameSink.h"
#include "link/LineControl.h"
#include "link/PacketCode.h"
#include "link/PacketSender.h"
#include "model/ExchClass.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/SimulatedTimers.h"
#include "support/gui/GuiTestSupport.h"
#include "transfer/TransferEngine.h"
#include "transfer/widgets/StepIndicator.h"
#include "transfer/widgets/TransferWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <optional>

namespace {

using Outcome = TransferObserver::Outcome;

struct QuietLine : LineControl
{
    void setRts(bool) override {}
    bool ctsPresent() const override { return cts; }
    void ClearInput() override {}
    void writeRaw(const QByteArray &) override {}

    bool cts = true;
};

struct CountingSink : FrameSink
{
    void PackSend(const QByteArray &) override { ++frames; }
    int frames = 0;
};

class TransferWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sender.setPendingStore(&engine);
        SampleConfiguration::build(config);
        window.setFinishedCallback([this](Outcome outcome) { outcomes.append(outcome); });
    }

    QLabel *stepLabel(int step) const { return child<QLabel>(&window, QStringLiteral("labAction%1").arg(step)); }
    StepIndicator *stepImage(int step) const
    {
        return child<StepIndicator>(&window, QStringLiteral("imgAction%1").arg(step));
    }
    QString status() const { return child<QLabel>(&window, "sbBarPanel")->text(); }
    void answerUsedMaps()
    {
        for (int k : {1, 2, 3, 4, 8, 10})
            engine.RecordsUsedIn(replyPacket(PacketCode::RecordsUsed, k, bytes("FF")));
    }

    SimulatedTimers timers;
    DebugLog log;
    CountingSink sink;
    QuietLine line;
    PacketSender sender{&sink, nullptr, &log};
    TransferEngine engine{sender, line, timers};
    MessageService messages;
    ExchClass config{&log};
    TransferWindow window{engine, messages};
    QList<Outcome> outcomes;
};

TEST_F(TransferWindowTest, StartShowsTheDirectionAndTheFirstStepUnderWay)
{
    window.start(TransferEngine::Mode::Get, &config);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Get Configuration"));
    EXPECT_EQ(stepLabel(0)->text(), QStringLiteral("Structures..."));
    EXPECT_EQ(stepImage(0)->state(), StepIndicator::State::InProgress);
    EXPECT_EQ(stepLabel(9)->text(), QStringLiteral("Tones"));
    EXPECT_EQ(stepImage(9)->state(), StepIndicator::State::Blank);
    for (int hidden : {10, 11}) {
        EXPECT_TRUE(stepLabel(hidden)->isHidden());
        EXPECT_TRUE(stepImage(hidden)->isHidden());
    }

    engine.abort();
    window.start(TransferEngine::Mode::Send, &config);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Send Configuration"));
    EXPECT_EQ(stepLabel(0)->text(), QStringLiteral("Structures"));
    EXPECT_EQ(stepImage(0)->state(), StepIndicator::State::Done);
    EXPECT_EQ(stepLabel(1)->text(), QStringLiteral("Records Used..."));
}

TEST_F(TransferWindowTest, SilenceShowsTheFirstAttemptAfterTheRetransmitInterval)
{
    window.start(TransferEngine::Mode::Get, &config);
    timers.advance(2499);
    EXPECT_EQ(status(), QString());
    timers.advance(1);
    EXPECT_EQ(status(), QStringLiteral("Attempt #1"));
    timers.advance(2500 + 4000);
    EXPECT_EQ(status(), QStringLiteral("Comms Reset Stage 1"));
}

TEST_F(TransferWindowTest, LostExchangeIsReportedThenTheWindowClosesAndCallsBack)
{
    line.cts = false;
    messages.setNextAnswer(QMessageBox::Ok);
    window.start(TransferEngine::Mode::Get, &config);
    timers.advance(2 * 2500 + 2 * 4000);

    ASSERT_EQ(messages.shownMessages().size(), 1);
    EXPECT_EQ(messages.shownMessages().first().text, QStringLiteral("Orvex not connected or turned on"));
    EXPECT_EQ(outcomes, QList<Outcome>{Outcome::NotConnected});
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(engine.transferRunning());
}

TEST_F(TransferWindowTest, CancelEndsTheTransferAtOnce)
{
    window.start(TransferEngine::Mode::Send, &config);
    answerUsedMaps();
    EXPECT_EQ(stepLabel(2)->text(), QStringLiteral("Classes..."));

    QTest::mouseClick(child<QPushButton>(&window, "cmdCancel"), Qt::LeftButton);
    EXPECT_EQ(outcomes, QList<Outcome>{Outcome::Cancelled});
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(engine.transferRunning());
    EXPECT_TRUE(messages.shownMessages().isEmpty());
}

TEST_F(TransferWindowTest, ClosingTheWindowAbortsARunningTransfer)
{
    window.start(TransferEngine::Mode::Get, &config);
    const int framesBefore = sink.frames;
    window.close();
    EXPECT_FALSE(engine.transferRunning());
    EXPECT_EQ(outcomes, QList<Outcome>{Outcome::Cancelled});

    timers.advance(25000);
    EXPECT_EQ(sink.frames, framesBefore) << "nothing is sent again";
}

TEST_F(TransferWindowTest, BarsStopAtTheirMaximumAndTheCountFollowsTheRecord)
{
    window.start(TransferEngine::Mode::Send, &config);
    answerUsedMaps();
    auto *current = child<QProgressBar>(&window, "barCurrent");
    EXPECT_EQ(current->maximum(), config.ClassList().Records());

    window.currentProgress(current->maximum() + 5, current->maximum());
    EXPECT_EQ(current->value(), current->maximum());
    window.countChanged(7);
    EXPECT_EQ(child<QLabel>(&window, "labCount")->text(), QStringLiteral("7"));
}

} // namespace
