#include "device/widgets/DeviceWindowFixture.h"

#include "device/widgets/BoardInfoWindow.h"
#include "device/widgets/DeviceWindows.h"
#include "device/widgets/ExtensionParametersWindow.h"
#include "device/widgets/FactoryWindow.h"
#include "device/widgets/TieLineParametersWindow.h"
#include "device/widgets/TimeWindow.h"
#include "link/ClockReading.h"
#include "link/FakeSerialPort.h"
#include "link/PacketCode.h"
#include "link/SerialLink.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

QComboBox *list(QWidget *window, const char *name)
{
    return child<QComboBox>(window, name);
}

class TimeWindowTest : public DeviceWindowFixture<TimeWindow>
{
protected:
    void SetUp() override
    {
        open(new TimeWindow(m_services, [this] { return m_now; }));
    }

    QString shown() const { return shownIn(m_window.data(), "txtDay txtMonth txtYear txtHours txtMins txtSecs"); }

    QDateTime m_now{QDate(2009, 3, 14), QTime(23, 59, 58)};
};

TEST_F(TimeWindowTest, OpensOnThePcClockAndRollsOverMidnightWithoutAdvancingTheDate)
{
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|23|59|58"));
    m_timers.advance(2000);
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|00|00|00"));
}

TEST_F(TimeWindowTest, SetSendsTheBoxesAndRefusesAnEmptyDateOrAValueTheClockCannotHold)
{
    type("txtYear", "");
    click("cmdSetSystem");
    EXPECT_EQ(messages(), strings({"Please select a date"}));
    type("txtMonth", "02");
    type("txtYear", "2005");
    expectRefusals({{"txtDay", "29", "cmdSetSystem", "Day must be a whole number in the range 1 - 28", "14"},
                    {"txtHours", "24", "cmdSetSystem", "Hours must be a whole number in the range 0 - 23", "15"},
                    {"txtMins", "7.5", "cmdSetSystem", "Minutes must be a whole number in the range 0 - 59", "09"},
                    {"txtSecs", "300", "cmdSetSystem", "Seconds must be a whole number in the range 0 - 59", "26"},
                    {"txtMonth", "13", "cmdSetSystem", "Month must be a whole number in the range 1 - 12", "03"},
                    {"txtYear", "20x5", "cmdSetSystem", "Year must be a whole number in the range 1 - 9999", "2009"}});
    click("cmdSetSystem");
    click("cmdGetSystem");
    EXPECT_EQ(sent(PacketCode::SetClock), QList<QByteArray>{bytes("00 00 1A 09 0F 0E 03 09 00 14")});
    EXPECT_EQ(sent(PacketCode::Clock), QList<QByteArray>{bytes("00 00")});
}

TEST_F(TimeWindowTest, TypingInTheSecondsFreezesTheClockUntilThePcTimeIsTakenAgain)
{
    m_timers.advance(1000);
    QLineEdit *seconds = box("txtSecs");
    seconds->setFocus(Qt::MouseFocusReason);
    // The first change after a tick is taken as the clock's own.
    QTest::keyClick(seconds, Qt::Key_Backspace);
    box("txtMins")->setFocus(Qt::MouseFocusReason);
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|23|59|06"));
    seconds->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(seconds, QStringLiteral("78"));
    const QString frozen = shown();
    m_timers.advance(3000);
    EXPECT_EQ(shown(), frozen);

    m_window->showClock({QStringLiteral("26"), QStringLiteral("09"), QStringLiteral("15"), QStringLiteral("14"),
                         QStringLiteral("03"), QStringLiteral("2009")});
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|15|09|26")) << "a frozen clock stays frozen";

    m_now = QDateTime(QDate(2024, 2, 29), QTime(8, 0, 0));
    click("cmdGetPC");
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("29|02|2024|08|00|01"));
}

class BoardInfoWindowTest : public DeviceWindowFixture<BoardInfoWindow>
{
protected:
    void save(int row, const char *serial, const char *date)
    {
        box(QStringLiteral("txtSerial%1").arg(row))->setText(QString::fromLatin1(serial));
        box(QStringLiteral("txtManu%1").arg(row))->setText(QString::fromLatin1(date));
        click(QStringLiteral("cmdSave%1").arg(row));
    }
};

TEST_F(BoardInfoWindowTest, ShowsEveryRowAsReportedAndWritesTheSerialThenOnlyOnItsAcknowledgementTheDate)
{
    save(0, "ORX4127", "14/03/2008");
    EXPECT_EQ(sent(PacketCode::BoardParameters), QList<QByteArray>{bytes("00 00 00 02 0A 00") + "ORX4127"});
    m_window->DataReceived();
    EXPECT_EQ(sent(PacketCode::BoardParameters).value(1), bytes("00 00 00 02 0A 01") + "20080314");
    EXPECT_EQ(messages(),
              strings({"Write serial number ORX4127 and manufacture date 14/03/2008 to the board in Slot 1?"}));
    m_window->DataReceived();
    EXPECT_EQ(messages().constLast(), QStringLiteral("Send Info to Board 1"));
    m_window->DataReceived();
    EXPECT_EQ(m_frames.size(), 2);
    EXPECT_EQ(messages().size(), 2);

    save(5, "ORX5862", "07/09/2009");
    m_timers.advance(60000);
    EXPECT_EQ(sent(PacketCode::BoardParameters).value(2), bytes("00 00 05 02 0A 00") + "ORX5862");
    EXPECT_EQ(m_frames.size(), 3) << "without an acknowledgement the date is never sent";

    reopenDeclining();
    save(0, "ORX4127", "14/03/2008");
    EXPECT_EQ(m_frames.size(), 3) << "answered No";
}

TEST_F(BoardInfoWindowTest, EachSlotsNameBoxesAndSaveButtonShareALineBelowTheSlotBefore)
{
    int previous = -1;
    for (int row = 0; row < BoardInfoWindow::RowCount; ++row) {
        const auto line = [&](const char *prefix) {
            return child<QWidget>(m_window.data(), QLatin1String(prefix) + QString::number(row))
                ->geometry()
                .center()
                .y();
        };
        EXPECT_GT(line("labSlot"), previous) << row;
        for (const char *prefix : {"txtSerial", "txtManu", "cmdSave"})
            EXPECT_EQ(line(prefix), line("labSlot")) << prefix << row;
        previous = line("labSlot");
    }
}

TEST_F(BoardInfoWindowTest, RefusesADateOrSerialTheBoardCannotTake)
{
    const std::tuple<const char *, const char *, const char *> refusals[] = {
        {"ORX41", "3/2/2005", "Manufacture Date invalid"},
        {"ORX41", "03/02/2005", "Serial Number invalid"},
        {"ORX412\x01", "03/02/2005", "Serial Number invalid"},
        {"ORX4127", "31/02/2005", "Manufacture Date invalid"}};
    for (const auto &[serial, date, message] : refusals) {
        m_messages.clearShownMessages();
        save(2, serial, date);
        EXPECT_EQ(messages(), strings({message})) << date;
    }
    EXPECT_TRUE(m_frames.isEmpty());
}

class ExtensionParametersWindowTest : public DeviceWindowFixture<ExtensionParametersWindow>
{
protected:
    QList<QByteArray> sent() const { return DeviceWindowFixture::sent(PacketCode::BoardParameters); }
};

TEST_F(ExtensionParametersWindowTest, OpensOnTheDefaultsAndResetRestoresThem)
{
    EXPECT_EQ(
        shownIn(m_window.data(), "txtOffHook txtFlashMin txtLDInterGap cboRingFreq cboSendBoard cboCadence txtRingRMS"),
        QStringLiteral("50|8|60|20 Hz|Slot 1|All Cadences|40"));
    type("txtRingAmp", "10");
    EXPECT_EQ(box("txtRingRMS")->text(), QStringLiteral("???"));
    type("txtLDLowMax", "20");
    list(m_window, "cboRingFreq")->setCurrentIndex(0);
    click("cmdReset");
    EXPECT_EQ(shownIn(m_window.data(), "txtLDLowMax cboRingFreq txtRingAmp txtRingRMS"),
              QStringLiteral("16|20 Hz|5.0|40"));
}

TEST_F(ExtensionParametersWindowTest, TimingsGoToTheChosenSlotAndTheAcknowledgementShowsUntilItsTimeRunsOut)
{
    list(m_window, "cboSendBoard")->setCurrentIndex(2);
    type("txtOnHook", "40");
    click("cmdSend");
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 02 11 0A 28 32 08 32 05 10 05 10 3C")});
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange"));
    m_timers.advance(2000);
    EXPECT_TRUE(status().isEmpty());

    click("cmdSend");
    m_timers.advance(1000);
    EXPECT_EQ(messages(), strings({"New Parameters not received by Exchange"}));
}

TEST_F(ExtensionParametersWindowTest, SeriesGoOutOnePartPerAcknowledgementAndAMissingOneStopsThem)
{
    click("Command1");
    for (int part = 1; part < 5; ++part) {
        EXPECT_EQ(sent().size(), part);
        m_window->DataReceived();
    }
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 4"));
    EXPECT_EQ(sent().size(), 5);

    m_frames.clear();
    click("Command2");
    acknowledgeAll();
    EXPECT_EQ(sent().size(), 11);
    EXPECT_EQ(sent().constLast().left(7), bytes("00 00 00 04 0B 0A 00"));
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 10"));
    expectASilenceStopsTheSeries("Command2");
}

TEST_F(ExtensionParametersWindowTest, ASelectedCadenceIsSentAloneItsStepsStoredWhenLeftAndRefusedWhenNoByte)
{
    list(m_window, "cboCadence")->setCurrentIndex(7);
    EXPECT_EQ(box("txtCad1")->text(), QStringLiteral("13"));
    list(m_window, "cboCadence")->setCurrentIndex(2);
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
    acknowledgeAll();
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 00 04 0B 02 00 07 02 06 06 09 FF FF FF")});
}

TEST_F(ExtensionParametersWindowTest, ValuesThatAreNoByteAreRefusedWhenLeftOrAtSendNamingTheBox)
{
    enterAndLeave("txtOnHook", "0");
    EXPECT_EQ(messages(), strings({"Must be a number in the range 1 - 255"}));
    EXPECT_TRUE(hasFocus("txtOnHook"));
    // The box cannot be left while it holds the refused value.
    box("txtFlashMax")->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(hasFocus("txtOnHook"));
    enterAndLeave("txtOnHook", "40");
    enterAndLeave("txtFlashMax", "255");
    EXPECT_FALSE(hasFocus("txtFlashMax"));

    expectRefusals(
        {{"txtLDInterGap", "256", "cmdSend", "LD Interdigit Gap must be a whole number in the range 0 - 255", "60"},
         {"txtLDLowMin", "7.5", "cmdSend", "LD Low Min must be a whole number in the range 0 - 255", "5"},
         {"txtOffHook", "", "cmdSend", "Off-Hook Time must be a whole number in the range 1 - 255", "50"},
         {"txtFlashMin", "0", "cmdSend", "Flash Min Time must be a whole number in the range 1 - 255", "8"},
         {"txtRingAmp", "10.5", "Command1", "Amplitude must be a number in the range 0 - 10", "5"}});
}

class TieLineParametersWindowTest : public DeviceWindowFixture<TieLineParametersWindow>
{
protected:
    QList<QByteArray> sent() const { return DeviceWindowFixture::sent(PacketCode::BoardParameters); }
};

TEST_F(TieLineParametersWindowTest, LevelsAndStartDetectOutsideTheirLimitsAreRefusedAndOthersSentAsTheExchangeHoldsThem)
{
    expectRefusals(
        {{"txtStart", "131", "cmdSend", "Minimum detect time is 132ms", "132"},
         {"txtStart", "1001", "cmdSend", "Maximum detect time is 1000ms", "132"},
         {"txtStart", "abc", "cmdSend", "Start Detect must be a number in the range 132 - 1000", "132"},
         {"txtTieLine2", "60", "cmdSend", "Tie Line 3 must be a number in the range 1 - 50", "7.6"},
         {"txtDigitPause", "300", "cmdSendCad", "Digit Pause must be a whole number in the range 0 - 255", "5"}});
    m_messages.clearShownMessages();
    enterAndLeave("txtTieLine0", "0");
    EXPECT_EQ(messages(), strings({"Must be a number in the range 1 - 50"}));
    EXPECT_TRUE(hasFocus("txtTieLine0"));

    type("txtTieLine0", "7.6");
    type("txtTieLine2", "7.9");
    type("txtTieLine3", "50");
    type("txtStart", "200");
    click("cmdSend");
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 06 11 09 26 26 28 FA 26 26 28 FA 02")});
    EXPECT_EQ(box("txtStart")->text(), QStringLiteral("264")) << "the time sent, in 132 ms steps";
}

TEST_F(TieLineParametersWindowTest, ThePulseSeriesSendsFortyFourPartsEachAfterTheLastAcknowledgement)
{
    click("cmdSendCad");
    m_window->DataReceived();
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 0,0"));
    acknowledgeAll();
    const QList<QByteArray> parts = sent();
    ASSERT_EQ(parts.size(), 44);
    for (int i = 0; i < 44; ++i)
        EXPECT_EQ(parts[i].left(7), bytes("00 00 06 04 0B") + char(i / 4) + char(i % 4)) << i;
    EXPECT_EQ(status(), QStringLiteral("Data Received in Exchange - 10,3"));
    EXPECT_TRUE(messages().isEmpty());
    expectASilenceStopsTheSeries("cmdSendCad");
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

class FactoryWindowTest : public DeviceWindowFixture<FactoryWindow>
{
protected:
    QList<QByteArray> sent() const { return DeviceWindowFixture::sent(PacketCode::FactoryConfiguration); }
};

TEST_F(FactoryWindowTest, TheRebuildIsConfirmedNamingWhatItBuildsThenSentAndTheWindowCloses)
{
    click("cmdBuildFactory");
    EXPECT_EQ(sent().size(), 1);
    EXPECT_EQ(messages(),
              QStringList({QStringLiteral("Rebuild the factory configuration of the exchange?\n\n"
                                          "Its whole configuration is replaced by the factory default for:\n"
                                          "Boards in slots 1 to 5: Extension, Extension, Extension, "
                                          "Extension, Extension\n"
                                          "Combined Tie Line & Processor: yes\n"
                                          "Ext. Tx / Rx Gain: -10 dB / -10 dB\n"
                                          "Tie Line Tx / Rx Gain: -2 dB / -2 dB\n"
                                          "Ext. Digits: 3 Digit\n"
                                          "Num. of Officers: 5\n"
                                          "What the exchange holds now is lost unless it was read and saved."),
                           QStringLiteral("Rebuild Factory Configuration Command Sent to System")}));
    EXPECT_EQ(m_messages.shownMessages()[0].defaultButton, QMessageBox::No);
    EXPECT_FALSE(m_window->isVisible());

    reopenDeclining();
    click("cmdBuildFactory");
    EXPECT_EQ(sent().size(), 1) << "answered No";
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(FactoryWindowTest, TheCheckBoxRefillsEverySlotWithThreeOrFiveBoardTypesAndTheChoicesAreSent)
{
    EXPECT_EQ(list(m_window, "cboBoardType0")->count(), 3);
    list(m_window, "cboBoardType1")->setCurrentIndex(2);
    child<QCheckBox>(m_window.data(), "chkTieBoard")->click();
    EXPECT_EQ(list(m_window, "cboBoardType4")->count(), 5);
    EXPECT_EQ(shownIn(m_window.data(), "cboBoardType1 cboBoardType4"), QStringLiteral("Extension|Extension"));
    const std::pair<const char *, const char *> choices[] = {{"cboBoardType2", "Magneto"},
                                                             {"cboBoardType4", "Tie Line"},
                                                             {"cboBoardType0", "<System>"},
                                                             {"cboExtTxGain", "-27 dB"},
                                                             {"cboExtRxGain", "3 dB"}};
    for (const auto &[name, text] : choices) {
        QComboBox *choice = list(m_window, name);
        choice->setCurrentIndex(choice->findText(QLatin1String(text)));
    }
    list(m_window, "cboDigits")->setCurrentIndex(0);
    type("txtNumOfficers", "2.5");
    click("cmdBuildFactory");
    EXPECT_EQ(sent(), QList<QByteArray>{bytes("00 00 02 0A 1E 00 05 05 00 00 83 85 83 84 00 00 00 00 00")});
}

TEST_F(FactoryWindowTest, OfficersThatAreNoByteAreRefusedAndCancelSendsNothing)
{
    for (const char *officers : {"256", ""}) {
        m_messages.clearShownMessages();
        type("txtNumOfficers", officers);
        click("cmdBuildFactory");
        EXPECT_EQ(messages(), strings({"Num. of Officers must be a number in the range 0 - 255"})) << officers;
        EXPECT_TRUE(hasFocus("txtNumOfficers"));
    }
    click("cmdCancel");
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(m_frames.isEmpty());
}

QByteArray exchangeFrame(int code, const QByteArray &data = QByteArray())
{
    return Frame::Delimiter + PacketSender::StuffBytes(replyPacket(code, 0, data)) + Frame::Delimiter;
}

// A device window the main window's device commands opened, if it is still there.
QWidget *deviceWindow(const char *name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name))
            return window;
    }
    return nullptr;
}

// The device windows on a fake line with an exchange present, as the main window has them.
class DeviceWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto port = std::make_unique<FakeSerialPort>();
        port->ports = {{1, SerialPort::OpenStatus::Opened}};
        m_port = port.get();
        m_link = std::make_unique<SerialLink>(std::move(port), nullptr, &m_log);
        m_link->openPort(1, 38400);
        ASSERT_FALSE(m_link->noConnection());
        m_devices = std::make_unique<DeviceWindows>(
            DeviceWindows::Services{m_messages, m_timers, m_log,
                                    [] { return QDateTime(QDate(2009, 3, 14), QTime(8, 0)); }},
            *m_link, nullptr);
    }

    DebugLog m_log;
    MessageService m_messages;
    SimulatedTimers m_timers;
    FakeSerialPort *m_port = nullptr;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<DeviceWindows> m_devices;
};

TEST_F(DeviceWindowsTest, ResetSystemAndTheFactoryRebuildAreAskedAndSentOnlyOnYesWithAnExchangeThere)
{
    m_messages.setNextAnswer(QMessageBox::No);
    m_devices->mnuFileReset_Click();
    EXPECT_TRUE(m_port->written.isEmpty());
    const MessageService::Message question = m_messages.shownMessages().value(0);
    EXPECT_EQ(question.title + QLatin1Char(':') + question.text,
              QStringLiteral("RESET SYSTEM:Are you Sure about resetting the System?"));
    EXPECT_EQ(question.defaultButton, QMessageBox::No);

    m_messages.setNextAnswer(QMessageBox::Yes);
    m_devices->mnuFileReset_Click();
    EXPECT_EQ(payloadsOf(m_port->written, PacketCode::ResetSystem), QList<QByteArray>{QByteArray("\0\0rR", 4)});

    m_port->written.clear();
    m_link->setNoConnection(true);
    queueAnswers(m_messages, QMessageBox::Yes, 3);
    m_devices->mnuFileReset_Click();
    m_devices->mnuFileBuildFactory_Click();
    EXPECT_TRUE(m_port->written.isEmpty());
    EXPECT_EQ(messageTexts(m_messages).mid(3),
              strings({"No Orvex detected\nNot resetting exchange",
                       "No Orvex detected\nNot returning to factory configuration"}));
    EXPECT_EQ(m_messages.shownMessages().value(3).title, QStringLiteral("Get Configuration"));
    EXPECT_EQ(deviceWindow("frmFactory"), nullptr);

    m_link->setNoConnection(false);
    m_devices->mnuFileBuildFactory_Click();
    ASSERT_NE(deviceWindow("frmFactory"), nullptr);
    EXPECT_TRUE(deviceWindow("frmFactory")->isModal());
}

TEST_F(DeviceWindowsTest, AcknowledgementsReachOnlyAnOpenVisibleParameterWindow)
{
    m_port->receive(exchangeFrame(PacketCode::BoardParameters));
    EXPECT_FALSE(m_devices->isOpenAndVisible(DeviceSink::AckReceiver::ExtensionParameters));
    m_devices->mnuAdvExt_Click();
    m_port->receive(exchangeFrame(PacketCode::BoardParameters));
    EXPECT_EQ(shownIn(deviceWindow("frmExtParams"), "sbar1Panel1"), QStringLiteral("Data Received in Exchange"));

    deviceWindow("frmExtParams")->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(deviceWindow("frmExtParams"), nullptr);
    m_port->receive(exchangeFrame(PacketCode::BoardParameters));
    m_devices->mnuAdvExt_Click();
    EXPECT_EQ(shownIn(deviceWindow("frmExtParams"), "sbar1Panel1"), QString());
}

TEST_F(DeviceWindowsTest, TheClockReplyFillsAnOpenTimeWindowAndOpensNone)
{
    m_port->receive(exchangeFrame(PacketCode::Clock, bytes("1A 09 0F 0E 03 09 06 14")));
    EXPECT_EQ(deviceWindow("frmTime"), nullptr);
    m_devices->mnuShowTime_Click();
    EXPECT_EQ(shownIn(deviceWindow("frmTime"), "txtHours"), QStringLiteral("08"));
    m_port->receive(exchangeFrame(PacketCode::Clock, bytes("1A 09 0F 0E 03 09 06 14")));
    EXPECT_EQ(shownIn(deviceWindow("frmTime"), "txtHours txtYear"), QStringLiteral("15|2009"));
}

} // namespace
