#include "AcknowledgementTimer.h"
#include "DeviceWindowFixture.h"
#include "PacketCode.h"
#include "TieLineParametersWindow.h"

namespace {
class TieLineParametersWindowTest : public DeviceWindowFixture<TieLineParametersWindow>
{
protected:
    QList<QByteArray> sent() const { return m_recorder.payloads(PacketCode::BoardParameters); }
};
} // namespace

TEST_F(TieLineParametersWindowTest, StartDetectIsSentIn132MsStepsAndTheBoxShowsTheTimeSent)
{
    const struct
    {
        const char *start;
        char startByte;
        const char *shown;
    } cases[] = {{"132", 1, "132"}, {"200", 2, "264"}, {"1000", 8, "1056"}};
    for (const auto &c : cases) {
        m_recorder.clear();
        type(QStringLiteral("txtStart"), QString::fromLatin1(c.start));
        click(QStringLiteral("cmdSend"));
        ASSERT_EQ(sent().size(), 1) << c.start;
        EXPECT_EQ(sent()[0], bytes("00 00 06 11 09 26 26 26 26 26 26 26 26") + c.startByte) << c.start;
        EXPECT_EQ(box(QStringLiteral("txtStart"))->text(), QString::fromLatin1(c.shown));
    }
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TieLineParametersWindowTest, StartDetectOutsideItsLimitsIsRefused)
{
    const struct
    {
        const char *start;
        const char *message;
    } refusals[] = {
        {"131", "Minimum detect time is 132ms"},
        {"1001", "Maximum detect time is 1000ms"},
        {"abc", "Start Detect must be a number in the range 132 - 1000"},
    };
    for (const auto &refusal : refusals) {
        m_messages.clearShownMessages();
        type(QStringLiteral("txtStart"), QString::fromLatin1(refusal.start));
        click(QStringLiteral("cmdSend"));
        EXPECT_EQ(messages(), QStringList{QString::fromLatin1(refusal.message)});
    }
    EXPECT_EQ(m_recorder.count(), 0);
}

TEST_F(TieLineParametersWindowTest, LevelsAreCheckedWhenLeftAndAgainAtSend)
{
    enterAndLeave(QStringLiteral("txtTieLine0"), QStringLiteral("0"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Must be a number in the range 1 - 50")});
    EXPECT_TRUE(hasFocus(QStringLiteral("txtTieLine0")));

    m_messages.clearShownMessages();
    type(QStringLiteral("txtTieLine0"), QStringLiteral("7.6"));
    type(QStringLiteral("txtTieLine2"), QStringLiteral("60"));
    click(QStringLiteral("cmdSend"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Tie Line 3 must be a number in the range 1 - 50")});
    EXPECT_TRUE(hasFocus(QStringLiteral("txtTieLine2")));
    EXPECT_EQ(m_recorder.count(), 0);

    type(QStringLiteral("txtTieLine2"), QStringLiteral("7.9"));
    type(QStringLiteral("txtTieLine3"), QStringLiteral("50"));
    click(QStringLiteral("cmdSend"));
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 06 11 09 26 26 28 FA 26 26 28 FA 01")});
}

TEST_F(TieLineParametersWindowTest, ThePulseSeriesSendsFortyFourPartsEachAfterTheLastAcknowledgement)
{
    click(QStringLiteral("cmdSendCad"));
    for (int i = 0; i < 50; ++i) {
        const int before = m_recorder.count();
        m_window->DataReceived();
        if (m_recorder.count() == before)
            break;
    }
    const QList<QByteArray> parts = sent();
    ASSERT_EQ(parts.size(), 44);
    for (int i = 0; i < 44; ++i) {
        EXPECT_EQ(parts[i].left(7), bytes("00 00 06 04 0B") + char(i / 4) + char(i % 4)) << i;
        if (i % 4 == 3) {
            EXPECT_EQ(parts[i].mid(7), QByteArray(8, '\xFF')) << i;
        }
    }
    EXPECT_EQ(parts[0].mid(7), bytes("0A 6E FF FF FF FF FF FF"));
    EXPECT_EQ(parts[42].mid(7), bytes("0A 05 0A 6E FF FF FF FF"));
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 10,3"));

    m_timers.advance(AcknowledgementTimer::StatusMilliseconds);
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TieLineParametersWindowTest, AMissingAcknowledgementStopsThePulseSeries)
{
    click(QStringLiteral("cmdSendCad"));
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 0,0"));
    m_timers.advance(AcknowledgementTimer::WaitMilliseconds);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("New Parameters not received by Exchange")});
    m_window->DataReceived();
    EXPECT_EQ(sent().size(), 2);
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange"));
}

TEST_F(TieLineParametersWindowTest, PulseTimesThatAreNoByteAreRefusedAndResetRestoresTheDefaults)
{
    type(QStringLiteral("txtDigitPause"), QStringLiteral("300"));
    click(QStringLiteral("cmdSendCad"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Digit Pause must be a whole number in the range 0 - 255")});
    EXPECT_TRUE(hasFocus(QStringLiteral("txtDigitPause")));
    EXPECT_EQ(m_recorder.count(), 0);

    type(QStringLiteral("txtTieLine1"), QStringLiteral("9"));
    click(QStringLiteral("cmdCadReset"));
    EXPECT_EQ(box(QStringLiteral("txtDigitPause"))->text(), QStringLiteral("5"));
    EXPECT_EQ(box(QStringLiteral("txtTieLine1"))->text(), QStringLiteral("9"));
    click(QStringLiteral("cmdReset"));
    EXPECT_EQ(box(QStringLiteral("txtTieLine1"))->text(), QStringLiteral("7.6"));
}
