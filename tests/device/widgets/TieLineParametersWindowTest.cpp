#include "device/widgets/DeviceWindowFixture.h"

#include "device/widgets/TieLineParametersWindow.h"
#include "link/PacketCode.h"

namespace {

class TieLineParametersWindowTest : public DeviceWindowFixture<TieLineParametersWindow>
{
protected:
    QList<QByteArray> sent() const { return DeviceWindowFixture::sent(PacketCode::BoardParameters); }
};

TEST_F(TieLineParametersWindowTest, StartDetectIsSentIn132MsStepsAndTheBoxShowsTheTimeSent)
{
    const std::tuple<const char *, char, const char *> cases[] = {{"132", 1, "132"}, {"200", 2, "264"}, {"1000", 8, "1056"}};
    for (const auto &[start, startByte, shown] : cases) {
        m_frames.clear();
        type("txtStart", start);
        click("cmdSend");
        EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 06 11 09 26 26 26 26 26 26 26 26") + startByte}) << start;
        EXPECT_EQ(box("txtStart")->text(), QLatin1String(shown));
    }
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TieLineParametersWindowTest, StartDetectLevelsAndPulseTimesOutsideTheirLimitsAreRefused)
{
    // Each box, a value it refuses, the command that checks it, the message, and a value it takes again.
    const std::tuple<const char *, const char *, const char *, const char *, const char *> refusals[] = {
        {"txtStart", "131", "cmdSend", "Minimum detect time is 132ms", "132"},
        {"txtStart", "1001", "cmdSend", "Maximum detect time is 1000ms", "132"},
        {"txtStart", "abc", "cmdSend", "Start Detect must be a number in the range 132 - 1000", "132"},
        {"txtTieLine2", "60", "cmdSend", "Tie Line 3 must be a number in the range 1 - 50", "7.6"},
        {"txtDigitPause", "300", "cmdSendCad", "Digit Pause must be a whole number in the range 0 - 255", "5"},
    };
    for (const auto &[name, text, command, message, taken] : refusals) {
        m_messages.clearShownMessages();
        type(name, text);
        click(command);
        EXPECT_EQ(messages(), strings({message})) << name;
        type(name, taken);
    }
    EXPECT_TRUE(hasFocus("txtDigitPause"));
    EXPECT_TRUE(m_frames.isEmpty());

    m_messages.clearShownMessages();
    enterAndLeave("txtTieLine0", "0");
    EXPECT_EQ(messages(), strings({"Must be a number in the range 1 - 50"}));
    EXPECT_TRUE(hasFocus("txtTieLine0"));
    type("txtTieLine0", "7.6");
    type("txtTieLine2", "7.9");
    type("txtTieLine3", "50");
    click("cmdSend");
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 06 11 09 26 26 28 FA 26 26 28 FA 01")});
}

TEST_F(TieLineParametersWindowTest, ThePulseSeriesSendsFortyFourPartsEachAfterTheLastAcknowledgement)
{
    click("cmdSendCad");
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 0,0"));
    for (qsizetype before = -1; before != m_frames.size();) {
        before = m_frames.size();
        m_window->DataReceived();
    }
    const QList<QByteArray> parts = sent();
    ASSERT_EQ(parts.size(), 44);
    for (int i = 0; i < 44; ++i)
        EXPECT_EQ(parts[i].left(7), bytes("00 00 06 04 0B") + char(i / 4) + char(i % 4)) << i;
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 10,3"));
    m_timers.advance(2000);
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TieLineParametersWindowTest, AMissingAcknowledgementStopsThePulseSeries)
{
    click("cmdSendCad");
    m_window->DataReceived();
    m_timers.advance(1000);
    EXPECT_EQ(messages(), strings({"New Parameters not received by Exchange"}));
    m_window->DataReceived();
    EXPECT_EQ(sent().size(), 2);
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange"));
}

TEST_F(TieLineParametersWindowTest, EachResetRestoresItsOwnDefaults)
{
    type("txtDigitPause", "300");
    type("txtTieLine1", "9");
    click("cmdCadReset");
    EXPECT_EQ(shownIn(m_window.data(), "txtDigitPause txtTieLine1"), QStringLiteral("5|9"));
    click("cmdReset");
    EXPECT_EQ(box("txtTieLine1")->text(), QStringLiteral("7.6"));
}

} // namespace
