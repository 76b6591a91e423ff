#include "device/widgets/DeviceWindowFixture.h"

#include "core/DebugLog.h"
#include "device/widgets/DeviceWindows.h"
#include "link/FakeSerialPort.h"
#include "link/PacketCode.h"
#include "link/SerialLink.h"

namespace {

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
    EXPECT_EQ(question.icon, QMessageBox::Critical);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
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
    EXPECT_EQ(m_messages.shownMessages().value(3).icon, QMessageBox::Warning);
    EXPECT_EQ(deviceWindow("frmFactory"), nullptr);

    m_link->setNoConnection(false);
    m_devices->mnuFileBuildFactory_Click();
    ASSERT_NE(deviceWindow("frmFactory"), nullptr);
    EXPECT_TRUE(deviceWindow("frmFactory")->isVisible());
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

TEST_F(DeviceWindowsTest, TheBoardReportOpensTheFilledBoardWindowModally)
{
    m_devices->mnuBoards_Click();
    EXPECT_EQ(payloadsOf(m_port->written, PacketCode::BoardInfo), QList<QByteArray>{QByteArray("\0\0rR", 4)});
    QByteArray report(10 * 32, '\0');
    report.replace(0, 7, "ORX4127");
    report.replace(8, 8, "20080314");
    m_port->receive(exchangeFrame(PacketCode::BoardInfo, report));
    QWidget *window = deviceWindow("frmBoardInfo");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(shownIn(window, "txtManu0 txtSerial3"), QStringLiteral("14/03/2008|Missing"));
    EXPECT_TRUE(m_devices->isOpenAndVisible(DeviceSink::AckReceiver::BoardInfo));
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
