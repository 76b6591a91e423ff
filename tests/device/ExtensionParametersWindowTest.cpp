#include "AcknowledgementTimer.h"
#include "DeviceWindowFixture.h"
#include "ExtensionParametersWindow.h"
#include "PacketCode.h"

#include <QComboBox>

namespace {
class ExtensionParametersWindowTest : public DeviceWindowFixture<ExtensionParametersWindow>
{
protected:
    QComboBox *list(const char *name) const { return control<QComboBox>(QString::fromLatin1(name)); }
    QList<QByteArray> sent() const { return m_recorder.payloads(PacketCode::BoardParameters); }

    // Acknowledges every packet as it goes out, up to a bound.
    void acknowledgeAll(int bound = 20)
    {
        for (int i = 0; i < bound; ++i) {
            const int before = m_recorder.count();
            m_window->DataReceived();
            if (m_recorder.count() == before)
                return;
        }
    }
};
} // namespace

TEST_F(ExtensionParametersWindowTest, OpensOnTheDefaultsAndResetRestoresThem)
{
    EXPECT_EQ(box(QStringLiteral("txtOffHook"))->text(), QStringLiteral("50"));
    EXPECT_EQ(box(QStringLiteral("txtFlashMin"))->text(), QStringLiteral("8"));
    EXPECT_EQ(box(QStringLiteral("txtLDInterGap"))->text(), QStringLiteral("60"));
    EXPECT_EQ(list("cboRingFreq")->currentText(), QStringLiteral("20 Hz"));
    EXPECT_EQ(list("cboSendBoard")->currentText(), QStringLiteral("Slot 1"));
    EXPECT_EQ(list("cboCadence")->currentText(), QStringLiteral("All Cadences"));
    EXPECT_FALSE(box(QStringLiteral("txtCad0"))->isEnabled());
    EXPECT_EQ(box(QStringLiteral("txtRingRMS"))->text(), QStringLiteral("40"));

    type(QStringLiteral("txtRingAmp"), QStringLiteral("10"));
    EXPECT_EQ(box(QStringLiteral("txtRingRMS"))->text(), QStringLiteral("???"));
    type(QStringLiteral("txtLDLowMax"), QStringLiteral("20"));
    list("cboRingFreq")->setCurrentIndex(0);
    click(QStringLiteral("cmdReset"));
    EXPECT_EQ(box(QStringLiteral("txtLDLowMax"))->text(), QStringLiteral("16"));
    EXPECT_EQ(list("cboRingFreq")->currentText(), QStringLiteral("20 Hz"));
    EXPECT_EQ(box(QStringLiteral("txtRingAmp"))->text(), QStringLiteral("5.0"));
    EXPECT_EQ(box(QStringLiteral("txtRingRMS"))->text(), QStringLiteral("40"));
}

TEST_F(ExtensionParametersWindowTest, TimingsGoToTheChosenSlotAndTheAcknowledgementShowsForTwoSeconds)
{
    list("cboSendBoard")->setCurrentIndex(2);
    type(QStringLiteral("txtOnHook"), QStringLiteral("40"));
    click(QStringLiteral("cmdSend"));
    ASSERT_EQ(sent().size(), 1);
    EXPECT_EQ(sent()[0], bytes("00 00 02 11 0A 28 32 08 32 05 10 05 10 3C"));

    m_timers.advance(500);
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange"));
    m_timers.advance(AcknowledgementTimer::StatusMilliseconds);
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(messages().isEmpty());

    click(QStringLiteral("cmdSend"));
    m_timers.advance(AcknowledgementTimer::WaitMilliseconds);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("New Parameters not received by Exchange")});
}

TEST_F(ExtensionParametersWindowTest, TheRingTableGoesOutInFivePartsEachAfterTheLastAcknowledgement)
{
    click(QStringLiteral("Command1"));
    ASSERT_EQ(sent().size(), 1);
    EXPECT_EQ(sent()[0].left(7), bytes("00 00 00 12 0A 00 FE"));
    for (int part = 1; part < 5; ++part) {
        m_window->DataReceived();
        EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - %1").arg(part - 1));
        ASSERT_EQ(sent().size(), part + 1);
        EXPECT_EQ(sent()[part].at(5), part);
    }
    EXPECT_EQ(sent()[2].right(4), bytes("FF FF FF FF"));
    EXPECT_EQ(sent()[3].mid(6), QByteArray(8, '\xFF'));
    EXPECT_EQ(sent()[4].mid(6), QByteArray(8, '\xFF'));
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 4"));
    EXPECT_EQ(sent().size(), 5);
}

TEST_F(ExtensionParametersWindowTest, AMissingAcknowledgementStopsTheSeriesWithTheMessage)
{
    click(QStringLiteral("Command2"));
    m_window->DataReceived();
    ASSERT_EQ(sent().size(), 2);
    m_timers.advance(AcknowledgementTimer::WaitMilliseconds);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("New Parameters not received by Exchange")});
    m_window->DataReceived();
    EXPECT_EQ(sent().size(), 2);
}

TEST_F(ExtensionParametersWindowTest, AllCadencesGoOutOneByOneAndASelectedCadenceAlone)
{
    click(QStringLiteral("Command2"));
    acknowledgeAll();
    ASSERT_EQ(sent().size(), ExtensionParameters::CadenceCount);
    for (int c = 0; c < ExtensionParameters::CadenceCount; ++c)
        EXPECT_EQ(sent()[c].left(7), bytes("00 00 00 04 0B") + char(c) + '\0') << c;
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 10"));

    m_recorder.clear();
    list("cboCadence")->setCurrentIndex(7);
    EXPECT_EQ(box(QStringLiteral("txtCad1"))->text(), QStringLiteral("13"));
    EXPECT_TRUE(box(QStringLiteral("txtCad1"))->isEnabled());
    click(QStringLiteral("Command2"));
    acknowledgeAll();
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 00 04 0B 07 00 0A 0D FF FF FF FF FF FF")});
}

TEST_F(ExtensionParametersWindowTest, ACadenceStepIsStoredWhenLeftAndRefusedWhenItIsNoByte)
{
    list("cboCadence")->setCurrentIndex(2);
    enterAndLeave(QStringLiteral("txtCad4"), QStringLiteral("9"));
    enterAndLeave(QStringLiteral("txtCad5"), QString());
    EXPECT_EQ(box(QStringLiteral("txtCad5"))->text(), QStringLiteral("255"));
    EXPECT_EQ(m_window->parameters().cadence(2)[4], 9);

    enterAndLeave(QStringLiteral("txtCad0"), QStringLiteral("300"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Cadence step 1 must be a whole number in the range 0 - 255")});
    EXPECT_TRUE(hasFocus(QStringLiteral("txtCad0")));
    EXPECT_EQ(m_window->parameters().cadence(2)[0], 6);

    click(QStringLiteral("Command2"));
    EXPECT_EQ(messages().size(), 2);
    EXPECT_TRUE(sent().isEmpty());
    type(QStringLiteral("txtCad0"), QStringLiteral("7"));
    click(QStringLiteral("Command2"));
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 00 04 0B 02 00 07 02 06 06 09 FF FF FF")});
}

TEST_F(ExtensionParametersWindowTest, HookAndFlashTimesAreCheckedWhenLeft)
{
    enterAndLeave(QStringLiteral("txtOnHook"), QStringLiteral("0"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Must be a number in the range 1 - 255")});
    EXPECT_TRUE(hasFocus(QStringLiteral("txtOnHook")));
    // The box cannot be left while it holds the refused value.
    box(QStringLiteral("txtFlashMax"))->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(hasFocus(QStringLiteral("txtOnHook")));
    EXPECT_EQ(messages().size(), 2);

    m_messages.clearShownMessages();
    enterAndLeave(QStringLiteral("txtOnHook"), QStringLiteral("40"));
    enterAndLeave(QStringLiteral("txtFlashMax"), QStringLiteral("abc"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Must be a number in the range 1 - 255")});

    m_messages.clearShownMessages();
    enterAndLeave(QStringLiteral("txtFlashMax"), QStringLiteral("255"));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(hasFocus(QStringLiteral("txtFlashMax")));
}

TEST_F(ExtensionParametersWindowTest, ValuesThatAreNoByteAreRefusedAtSendNamingTheBoxAndNothingGoesOut)
{
    const struct
    {
        const char *box;
        const char *text;
        const char *message;
    } refusals[] = {
        {"txtLDInterGap", "256", "LD Interdigit Gap must be a whole number in the range 0 - 255"},
        {"txtLDLowMin", "7.5", "LD Low Min must be a whole number in the range 0 - 255"},
        {"txtOffHook", "", "Off-Hook Time must be a whole number in the range 1 - 255"},
        {"txtFlashMin", "0", "Flash Min Time must be a whole number in the range 1 - 255"},
    };
    for (const auto &refusal : refusals) {
        click(QStringLiteral("cmdReset"));
        m_messages.clearShownMessages();
        type(QString::fromLatin1(refusal.box), QString::fromLatin1(refusal.text));
        click(QStringLiteral("cmdSend"));
        EXPECT_EQ(messages(), QStringList{QString::fromLatin1(refusal.message)}) << refusal.box;
        EXPECT_TRUE(hasFocus(QString::fromLatin1(refusal.box))) << refusal.box;
        type(QString::fromLatin1(refusal.box), QStringLiteral("50"));
    }

    for (const char *amplitude : {"10.5", "-1", "x"}) {
        m_messages.clearShownMessages();
        type(QStringLiteral("txtRingAmp"), QString::fromLatin1(amplitude));
        click(QStringLiteral("Command1"));
        EXPECT_EQ(messages(), QStringList{QStringLiteral("Amplitude must be a number in the range 0 - 10")});
    }
    EXPECT_EQ(m_recorder.count(), 0);
}
