#include "device/widgets/DeviceWindowFixture.h"

#include "device/widgets/ExtensionParametersWindow.h"
#include "link/PacketCode.h"

#include <QComboBox>

namespace {

class ExtensionParametersWindowTest : public DeviceWindowFixture<ExtensionParametersWindow>
{
protected:
    QComboBox *list(const char *name) const { return child<QComboBox>(m_window.data(), name); }
    QList<QByteArray> sent() const { return DeviceWindowFixture::sent(PacketCode::BoardParameters); }
    // Acknowledges every packet as it goes out.
    void acknowledgeAll()
    {
        for (qsizetype before = -1; before != m_frames.size();) {
            before = m_frames.size();
            m_window->DataReceived();
        }
    }
};

TEST_F(ExtensionParametersWindowTest, OpensOnTheDefaultsAndResetRestoresThem)
{
    EXPECT_EQ(shownIn(m_window.data(), "txtOffHook txtFlashMin txtLDInterGap cboRingFreq cboSendBoard cboCadence txtRingRMS"),
              QStringLiteral("50|8|60|20 Hz|Slot 1|All Cadences|40"));
    EXPECT_FALSE(box("txtCad0")->isEnabled());
    type("txtRingAmp", "10");
    EXPECT_EQ(box("txtRingRMS")->text(), QStringLiteral("???"));
    type("txtLDLowMax", "20");
    list("cboRingFreq")->setCurrentIndex(0);
    click("cmdReset");
    EXPECT_EQ(shownIn(m_window.data(), "txtLDLowMax cboRingFreq txtRingAmp txtRingRMS"),
              QStringLiteral("16|20 Hz|5.0|40"));
}

TEST_F(ExtensionParametersWindowTest, TimingsGoToTheChosenSlotAndTheAcknowledgementShowsForTwoSeconds)
{
    list("cboSendBoard")->setCurrentIndex(2);
    type("txtOnHook", "40");
    click("cmdSend");
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 02 11 0A 28 32 08 32 05 10 05 10 3C")});
    m_timers.advance(500);
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange"));
    m_timers.advance(2000);
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(messages().isEmpty());

    click("cmdSend");
    m_timers.advance(1000);
    EXPECT_EQ(messages(), strings({"New Parameters not received by Exchange"}));
}

TEST_F(ExtensionParametersWindowTest, TheRingTableGoesOutInFivePartsEachAfterTheLastAcknowledgement)
{
    click("Command1");
    for (int part = 1; part < 5; ++part) {
        EXPECT_EQ(sent().size(), part);
        m_window->DataReceived();
        EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - %1").arg(part - 1));
    }
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 4"));
    EXPECT_EQ(sent().size(), 5);
}

TEST_F(ExtensionParametersWindowTest, AMissingAcknowledgementStopsTheSeriesWithTheMessage)
{
    click("Command2");
    m_window->DataReceived();
    m_timers.advance(1000);
    EXPECT_EQ(messages(), strings({"New Parameters not received by Exchange"}));
    m_window->DataReceived();
    EXPECT_EQ(sent().size(), 2);
}

TEST_F(ExtensionParametersWindowTest, AllCadencesGoOutOneByOneAndASelectedCadenceAlone)
{
    click("Command2");
    acknowledgeAll();
    ASSERT_EQ(sent().size(), 11);
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(sent()[c].left(7), bytes("00 00 00 04 0B") + char(c) + '\0') << c;
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 10"));

    m_frames.clear();
    list("cboCadence")->setCurrentIndex(7);
    EXPECT_EQ(box("txtCad1")->text(), QStringLiteral("13"));
    EXPECT_TRUE(box("txtCad1")->isEnabled());
    click("Command2");
    acknowledgeAll();
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 00 04 0B 07 00 0A 0D FF FF FF FF FF FF")});
}

TEST_F(ExtensionParametersWindowTest, ACadenceStepIsStoredWhenLeftAndRefusedWhenItIsNoByte)
{
    list("cboCadence")->setCurrentIndex(2);
    enterAndLeave("txtCad4", "9");
    enterAndLeave("txtCad5", "");
    EXPECT_EQ(box("txtCad5")->text(), QStringLiteral("255"));
    enterAndLeave("txtCad0", "300");
    EXPECT_EQ(messages(), strings({"Cadence step 1 must be a whole number in the range 0 - 255"}));
    EXPECT_TRUE(hasFocus("txtCad0"));

    click("Command2");
    EXPECT_EQ(messages().size(), 2);
    EXPECT_TRUE(sent().isEmpty());
    type("txtCad0", "7");
    click("Command2");
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 00 04 0B 02 00 07 02 06 06 09 FF FF FF")});
}

TEST_F(ExtensionParametersWindowTest, HookAndFlashTimesAreCheckedWhenLeft)
{
    enterAndLeave("txtOnHook", "0");
    EXPECT_EQ(messages(), strings({"Must be a number in the range 1 - 255"}));
    EXPECT_TRUE(hasFocus("txtOnHook"));
    // The box cannot be left while it holds the refused value.
    box("txtFlashMax")->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(hasFocus("txtOnHook"));
    EXPECT_EQ(messages().size(), 2);

    m_messages.clearShownMessages();
    enterAndLeave("txtOnHook", "40");
    enterAndLeave("txtFlashMax", "abc");
    EXPECT_EQ(messages(), strings({"Must be a number in the range 1 - 255"}));
    m_messages.clearShownMessages();
    enterAndLeave("txtFlashMax", "255");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(hasFocus("txtFlashMax"));
}

TEST_F(ExtensionParametersWindowTest, ValuesThatAreNoByteAreRefusedAtSendNamingTheBoxAndNothingGoesOut)
{
    // Each box, a value it refuses, the command that checks it, the message, and a value it takes again.
    const std::tuple<const char *, const char *, const char *, const char *, const char *> refusals[] = {
        {"txtLDInterGap", "256", "cmdSend", "LD Interdigit Gap must be a whole number in the range 0 - 255", "60"},
        {"txtLDLowMin", "7.5", "cmdSend", "LD Low Min must be a whole number in the range 0 - 255", "5"},
        {"txtOffHook", "", "cmdSend", "Off-Hook Time must be a whole number in the range 1 - 255", "50"},
        {"txtFlashMin", "0", "cmdSend", "Flash Min Time must be a whole number in the range 1 - 255", "8"},
        {"txtRingAmp", "10.5", "Command1", "Amplitude must be a number in the range 0 - 10", "5"},
        {"txtRingAmp", "-1", "Command1", "Amplitude must be a number in the range 0 - 10", "5"},
        {"txtRingAmp", "x", "Command1", "Amplitude must be a number in the range 0 - 10", "5"},
    };
    for (const auto &[name, text, command, message, taken] : refusals) {
        m_messages.clearShownMessages();
        type(name, text);
        click(command);
        EXPECT_EQ(messages(), strings({message})) << name;
        EXPECT_TRUE(hasFocus(name)) << name;
        type(name, taken);
    }
    EXPECT_TRUE(m_frames.isEmpty());
}

} // namespace
