#include "BoardInfoWindow.h"
#include "DebugLog.h"
#include "DeviceWindows.h"
#include "ExtensionParametersWindow.h"
#include "FactoryWindow.h"
#include "FakeSerialPort.h"
#include "MessageService.h"
#include "PacketCode.h"
#include "PacketRecorder.h"
#include "SerialLink.h"
#include "SimulatedTimers.h"
#include "TestSupport.h"
#include "TimeWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace {
QByteArray exchangeFrame(int code, const QByteArray &data = QByteArray())
{
    return Frame::Delimiter + PacketSender::StuffBytes(replyPacket(code, 0, data)) + Frame::Delimiter;
}

QByteArray boardReport()
{
    QByteArray data(10 * 32, '\0');
    data.replace(0, 7, "ORX4127");
    data.replace(8, 8, "20080314");
    data.replace(3 * 32 + 8, 8, "20090122");
    return data;
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
            DeviceWindows::Services{m_messages, m_timers, m_log, [] { return QDateTime(QDate(2009, 3, 14), QTime(8, 0)); }},
            *m_link, nullptr);
    }

    // Boxes after the first answer at once.
    void answerOkAfterwards()
    {
        for (int i = 0; i < 5; ++i)
            m_messages.setNextAnswer(QMessageBox::Ok);
    }

    QList<PacketRecorder::Packet> written() const { return PacketRecorder::decode(m_port->written); }

    DebugLog m_log;
    MessageService m_messages;
    SimulatedTimers m_timers;
    FakeSerialPort *m_port = nullptr;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<DeviceWindows> m_devices;
};
} // namespace

TEST_F(DeviceWindowsTest, ResetSystemAnsweredNoSendsNothingEvenWithTheExchangeConnected)
{
    m_messages.setNextAnswer(QMessageBox::No);
    answerOkAfterwards();
    m_devices->mnuFileReset_Click();
    EXPECT_TRUE(m_port->written.isEmpty());
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    const MessageService::Message question = m_messages.shownMessages()[0];
    EXPECT_EQ(question.text, QStringLiteral("Are you Sure about resetting the System?"));
    EXPECT_EQ(question.title, QStringLiteral("RESET SYSTEM"));
    EXPECT_EQ(question.icon, QMessageBox::Critical);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.defaultButton, QMessageBox::No);
}

TEST_F(DeviceWindowsTest, ResetSystemAnsweredYesSendsTheResetOnlyWithAnExchangeThere)
{
    m_messages.setNextAnswer(QMessageBox::Yes);
    m_devices->mnuFileReset_Click();
    ASSERT_EQ(written().size(), 1);
    EXPECT_EQ(written()[0].code, PacketCode::ResetSystem);
    EXPECT_EQ(written()[0].payload, QByteArray("\0\0rR", 4));

    m_port->written.clear();
    m_link->setNoConnection(true);
    m_messages.setNextAnswer(QMessageBox::Yes);
    answerOkAfterwards();
    m_devices->mnuFileReset_Click();
    EXPECT_TRUE(m_port->written.isEmpty());
    const MessageService::Message refusal = m_messages.shownMessages().last();
    EXPECT_EQ(refusal.text, QStringLiteral("No Orvex detected\nNot resetting exchange"));
    EXPECT_EQ(refusal.title, QStringLiteral("Get Configuration"));
    EXPECT_EQ(refusal.icon, QMessageBox::Warning);
}

TEST_F(DeviceWindowsTest, TheFactoryWindowOpensModallyOnlyWithAnExchangeThere)
{
    m_link->setNoConnection(true);
    answerOkAfterwards();
    m_devices->mnuFileBuildFactory_Click();
    EXPECT_EQ(m_devices->factoryWindow(), nullptr);
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    EXPECT_EQ(m_messages.shownMessages()[0].text, QStringLiteral("No Orvex detected\nNot returning to factory configuration"));

    m_link->setNoConnection(false);
    m_devices->mnuFileBuildFactory_Click();
    ASSERT_NE(m_devices->factoryWindow(), nullptr);
    EXPECT_TRUE(m_devices->factoryWindow()->isVisible());
    EXPECT_TRUE(m_devices->factoryWindow()->isModal());
}

TEST_F(DeviceWindowsTest, AcknowledgementsReachOnlyAnOpenVisibleParameterWindow)
{
    m_port->receive(exchangeFrame(PacketCode::BoardParameters));
    EXPECT_FALSE(m_devices->isOpenAndVisible(DeviceSink::AckReceiver::ExtensionParameters));

    m_devices->mnuAdvExt_Click();
    ExtensionParametersWindow *window = m_devices->extensionParametersWindow();
    ASSERT_NE(window, nullptr);
    m_port->receive(exchangeFrame(PacketCode::BoardParameters));
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("sbar1Panel1"))->text(),
              QStringLiteral("Data Received in Exchange"));

    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_devices->extensionParametersWindow(), nullptr);
    m_port->receive(exchangeFrame(PacketCode::BoardParameters));
    m_devices->mnuAdvExt_Click();
    ASSERT_NE(m_devices->extensionParametersWindow(), nullptr);
    EXPECT_TRUE(m_devices->extensionParametersWindow()->findChild<QLabel *>(QStringLiteral("sbar1Panel1"))->text().isEmpty());
}

TEST_F(DeviceWindowsTest, TheBoardReportOpensTheFilledBoardWindowModally)
{
    m_devices->mnuBoards_Click();
    ASSERT_EQ(written().size(), 1);
    EXPECT_EQ(written()[0].code, PacketCode::BoardInfo);
    EXPECT_EQ(written()[0].payload, QByteArray("\0\0rR", 4));

    m_port->receive(exchangeFrame(PacketCode::BoardInfo, boardReport()));
    BoardInfoWindow *window = m_devices->boardInfoWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("txtManu0"))->text(), QStringLiteral("14/03/2008"));
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("txtSerial3"))->text(), QStringLiteral("Missing"));
    EXPECT_TRUE(m_devices->isOpenAndVisible(DeviceSink::AckReceiver::BoardInfo));
}

TEST_F(DeviceWindowsTest, TheClockReplyFillsAnOpenTimeWindowAndOpensNone)
{
    m_port->receive(exchangeFrame(PacketCode::Clock, bytes("1A 09 0F 0E 03 09 06 14")));
    EXPECT_EQ(m_devices->timeWindow(), nullptr);

    m_devices->mnuShowTime_Click();
    TimeWindow *window = m_devices->timeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("txtHours"))->text(), QStringLiteral("08"));
    m_port->receive(exchangeFrame(PacketCode::Clock, bytes("1A 09 0F 0E 03 09 06 14")));
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("txtHours"))->text(), QStringLiteral("15"));
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("txtYear"))->text(), QStringLiteral("2009"));
}
