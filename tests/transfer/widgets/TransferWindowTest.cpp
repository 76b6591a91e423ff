#include "transfer/widgets/TransferWindow.h"

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

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

using Outcome = TransferObserver::Outcome;

// A line that writes nothing anywhere and counts the frames sent on it.
struct QuietLine : LineControl, FrameSink
{
    void PackSend(const QByteArray &) override { ++frames; }
    void setRts(bool) override {}
    bool ctsPresent() const override { return cts; }
    void ClearInput() override {}
    void writeRaw(const QByteArray &) override {}

    bool cts = true;
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
    QString status() const { return shownIn(&window, "sbBarPanel"); }
    void answerUsedMaps()
    {
        for (int k : {1, 2, 3, 4, 8, 10})
            engine.RecordsUsedIn(replyPacket(PacketCode::RecordsUsed, k, bytes("FF")));
    }

    SimulatedTimers timers;
    DebugLog log;
    QuietLine line;
    PacketSender sender{&line, nullptr, &log};
    TransferEngine engine{sender, line, timers};
    MessageService messages;
    ExchClass config{&log};
    TransferWindow window{engine, messages};
    QList<Outcome> outcomes;
};

TEST_F(TransferWindowTest, StartShowsTheDirectionAndTheFirstStepUnderWay)
{
    window.start(TransferEngine::Mode::Get, &config);
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Get Configuration"));
    EXPECT_EQ(stepLabel(0)->text(), QStringLiteral("Structures..."));
    EXPECT_EQ(stepImage(0)->state(), StepIndicator::State::InProgress);
    EXPECT_EQ(stepImage(9)->state(), StepIndicator::State::Blank);
    EXPECT_TRUE(stepLabel(10)->isHidden());

    engine.abort();
    window.start(TransferEngine::Mode::Send, &config);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Send Configuration"));
    EXPECT_EQ(stepImage(0)->state(), StepIndicator::State::Done);
    EXPECT_EQ(stepLabel(1)->text(), QStringLiteral("Records Used..."));
}

TEST_F(TransferWindowTest, SilenceShowsTheAttemptsAndALostExchangeIsReportedThenTheWindowClosesAndCallsBack)
{
    line.cts = false;
    messages.setNextAnswer(QMessageBox::Ok);
    window.start(TransferEngine::Mode::Get, &config);
    EXPECT_EQ(status(), QString());
    // Which attempt comes when is the engine's; the window shows each.
    timers.advance(2500);
    EXPECT_EQ(status(), QStringLiteral("Attempt #1"));
    timers.advance(2500 + 4000 + 4000);
    EXPECT_EQ(messageTexts(messages), strings({"Orvex not connected or turned on"}));
    EXPECT_EQ(outcomes, QList<Outcome>{Outcome::NotConnected});
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(engine.transferRunning());
}

TEST_F(TransferWindowTest, CancelOrClosingTheWindowEndsTheTransferAtOnce)
{
    window.start(TransferEngine::Mode::Send, &config);
    answerUsedMaps();
    auto *current = child<QProgressBar>(&window, "barCurrent");
    EXPECT_EQ(current->maximum(), 12) << "every class record";
    window.currentProgress(current->maximum() + 5, current->maximum());
    EXPECT_EQ(current->value(), current->maximum());

    QTest::mouseClick(child<QPushButton>(&window, "cmdCancel"), Qt::LeftButton);
    EXPECT_EQ(outcomes, QList<Outcome>{Outcome::Cancelled});
    EXPECT_FALSE(engine.transferRunning());

    window.start(TransferEngine::Mode::Get, &config);
    const int framesBefore = line.frames;
    window.close();
    EXPECT_FALSE(engine.transferRunning());
    EXPECT_EQ(outcomes, (QList<Outcome>{Outcome::Cancelled, Outcome::Cancelled}));
    timers.advance(25000);
    EXPECT_EQ(line.frames, framesBefore) << "nothing is sent again";
    EXPECT_TRUE(messages.shownMessages().isEmpty());
}

} // namespace
