#include "DebugLog.h"
#include "ExchangeSimulator.h"
#include "FileDialogService.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "PtyEndpoint.h"
#include "QtSerialPort.h"
#include "QtTimerFactory.h"
#include "Registry.h"
#include "SampleConfiguration.h"
#include "SerialLink.h"
#include "SimulatedTimers.h"
#include "TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The program on one side of a pseudo-terminal and the simulated exchange on
// the other; the windows' own timers are simulated and never run out, so only
// the exchange's answers move the windows on.
class DeviceEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SampleConfiguration::build(m_simulator.configuration());
        m_simulator.setClock([] { return QDateTime(QDate(2009, 3, 14), QTime(15, 9, 26)); });
        ASSERT_TRUE(m_pty.open()) << m_pty.errorString().toStdString();

        m_window = std::make_unique<MainWindow>(MainWindow::Services{m_registry, m_messages, m_fileDialogs, m_timers, m_log},
                                                std::make_unique<QtSerialPort>(QtTimerFactory::shared(), &m_log));
        m_window->setPortOverride(m_pty.slavePath());
        m_window->load();
        ASSERT_TRUE(m_window->link().isOpen());
        ASSERT_FALSE(m_window->link().noConnection());
    }

    void trigger(const char *item) { m_window->findChild<QAction *>(QString::fromLatin1(item))->trigger(); }

    QWidget *deviceWindow(const char *name) const
    {
        return m_window->findChild<QWidget *>(QString::fromLatin1(name));
    }
    QLineEdit *box(const char *window, const QString &name) const
    {
        return deviceWindow(window)->findChild<QLineEdit *>(name);
    }
    void click(const char *window, const QString &name)
    {
        QTest::mouseClick(deviceWindow(window)->findChild<QPushButton *>(name), Qt::LeftButton);
    }
    QString status(const char *window) const
    {
        return deviceWindow(window)->findChild<QLabel *>(QStringLiteral("sbar1Panel1"))->text();
    }
    bool messageShown(const QString &text) const
    {
        for (const MessageService::Message &message : m_messages.shownMessages()) {
            if (message.text == text)
                return true;
        }
        return false;
    }
    // Unexpected message boxes answer at once instead of waiting for a click.
    void answerOk(int count)
    {
        for (int i = 0; i < count; ++i)
            m_messages.setNextAnswer(QMessageBox::Ok);
    }

    QTemporaryDir m_dir;
    Registry m_registry{m_dir.filePath(QStringLiteral("settings.ini"))};
    MessageService m_messages;
    FileDialogService m_fileDialogs;
    SimulatedTimers m_timers;
    DebugLog m_log;
    ExchangeSimulator m_simulator;
    PtyEndpoint m_pty{&m_simulator};
    std::unique_ptr<MainWindow> m_window;
};
} // namespace

TEST_F(DeviceEndToEnd, TheTimeWindowSetsTheExchangeClockAndReadsItBack)
{
    answerOk(3);
    trigger("mnuShowTime");
    ASSERT_NE(deviceWindow("frmTime"), nullptr);
    const QStringList set = {QStringLiteral("29"), QStringLiteral("02"), QStringLiteral("2024"),
                             QStringLiteral("08"), QStringLiteral("30"), QStringLiteral("05")};
    const QStringList boxes = {QStringLiteral("txtDay"),   QStringLiteral("txtMonth"), QStringLiteral("txtYear"),
                               QStringLiteral("txtHours"), QStringLiteral("txtMins"),  QStringLiteral("txtSecs")};
    for (int i = 0; i < boxes.size(); ++i)
        box("frmTime", boxes[i])->setText(set[i]);
    click("frmTime", QStringLiteral("cmdSetSystem"));
    for (const QString &name : boxes)
        box("frmTime", name)->clear();

    click("frmTime", QStringLiteral("cmdGetSystem"));
    ASSERT_TRUE(runEventsUntil([&] { return box("frmTime", QStringLiteral("txtYear"))->text() == set[2]; }));
    for (int i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(box("frmTime", boxes[i])->text(), set[i]) << boxes[i].toStdString();
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(DeviceEndToEnd, TheBoardWindowShowsTheBoardsAndWritesOneBoardsSerialAndDate)
{
    m_messages.setNextAnswer(QMessageBox::Yes);
    answerOk(3);
    trigger("mnuBoards");
    ASSERT_TRUE(runEventsUntil([&] { return deviceWindow("frmBoardInfo") && deviceWindow("frmBoardInfo")->isVisible(); }));
    EXPECT_EQ(box("frmBoardInfo", QStringLiteral("txtSerial0"))->text(), QStringLiteral("ORX4127"));
    EXPECT_EQ(box("frmBoardInfo", QStringLiteral("txtManu0"))->text(), QStringLiteral("14/03/2008"));
    EXPECT_EQ(box("frmBoardInfo", QStringLiteral("txtSerial3"))->text(), QStringLiteral("Missing"));

    box("frmBoardInfo", QStringLiteral("txtSerial3"))->setText(QStringLiteral("ORX9170"));
    box("frmBoardInfo", QStringLiteral("txtManu3"))->setText(QStringLiteral("29/02/2024"));
    click("frmBoardInfo", QStringLiteral("cmdSave3"));
    ASSERT_TRUE(runEventsUntil([&] { return messageShown(QStringLiteral("Send Info to Board 4")); }));
    EXPECT_EQ(m_simulator.boardSerialNumber(3), QByteArray("ORX9170\0", 8));
    EXPECT_EQ(m_simulator.boardManufactureDate(3), QByteArray("20240229"));

    box("frmBoardInfo", QStringLiteral("txtSerial3"))->clear();
    trigger("mnuBoards");
    ASSERT_TRUE(runEventsUntil([&] { return !box("frmBoardInfo", QStringLiteral("txtSerial3"))->text().isEmpty(); }));
    EXPECT_EQ(box("frmBoardInfo", QStringLiteral("txtSerial3"))->text(), QStringLiteral("ORX9170"));
    EXPECT_EQ(box("frmBoardInfo", QStringLiteral("txtManu3"))->text(), QStringLiteral("29/02/2024"));
}

TEST_F(DeviceEndToEnd, TheExtensionWindowSendsTheRingTableAndAllCadencesOnTheExchangesAcknowledgements)
{
    answerOk(3);
    trigger("mnuAdvExt");
    ASSERT_NE(deviceWindow("frmExtParams"), nullptr);
    click("frmExtParams", QStringLiteral("Command1"));
    ASSERT_TRUE(runEventsUntil([&] { return status("frmExtParams") == QStringLiteral("Data Received in Exchange - 4"); }));
    click("frmExtParams", QStringLiteral("Command2"));
    ASSERT_TRUE(runEventsUntil([&] { return status("frmExtParams") == QStringLiteral("Data Received in Exchange - 10"); }));

    const QList<QByteArray> received = m_simulator.boardParameters();
    ASSERT_EQ(received.size(), 5 + 11);
    EXPECT_EQ(received[0].left(5), bytes("00 12 0A 00 FE"));
    EXPECT_EQ(received[4], bytes("00 12 0A 04 FF FF FF FF FF FF FF FF"));
    EXPECT_EQ(received[5 + 4], bytes("00 04 0B 04 00 07 01 04 0A FF FF FF FF"));
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(DeviceEndToEnd, TheTieLineWindowSendsTheWholePulseSeriesAndTheRingingDetection)
{
    answerOk(3);
    trigger("mnuAdvTie");
    ASSERT_NE(deviceWindow("frmTieParams"), nullptr);
    click("frmTieParams", QStringLiteral("cmdSendCad"));
    ASSERT_TRUE(runEventsUntil([&] { return status("frmTieParams") == QStringLiteral("Data Received in Exchange - 10,3"); }));
    box("frmTieParams", QStringLiteral("txtStart"))->setText(QStringLiteral("200"));
    click("frmTieParams", QStringLiteral("cmdSend"));
    ASSERT_TRUE(runEventsUntil([&] { return status("frmTieParams") == QStringLiteral("Data Received in Exchange"); }));

    const QList<QByteArray> received = m_simulator.boardParameters();
    ASSERT_EQ(received.size(), 44 + 1);
    EXPECT_EQ(received[43].left(5), bytes("06 04 0B 0A 03"));
    EXPECT_EQ(received[44], bytes("06 11 09 26 26 26 26 26 26 26 26 02"));
    EXPECT_EQ(box("frmTieParams", QStringLiteral("txtStart"))->text(), QStringLiteral("264"));
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(DeviceEndToEnd, TheFactoryWindowRebuildsTheConfigurationAndResetSystemResetsTheExchange)
{
    m_messages.setNextAnswer(QMessageBox::Yes);
    answerOk(2);
    trigger("mnuFileBuildFactory");
    ASSERT_NE(deviceWindow("frmFactory"), nullptr);
    click("frmFactory", QStringLiteral("cmdBuildFactory"));
    ASSERT_TRUE(runEventsUntil([&] { return messageShown(QStringLiteral("Factory Default has been restored")); }));
    EXPECT_TRUE(messageShown(QStringLiteral("Rebuild Factory Configuration Command Sent to System")));
    EXPECT_EQ(m_simulator.factoryConfiguration(), bytes("05 64 0D 0D 05 05 00 83 83 83 83 83 00 84 00 00 00"));

    m_messages.setNextAnswer(QMessageBox::Yes);
    trigger("mnuFileReset");
    ASSERT_TRUE(runEventsUntil([&] { return m_simulator.resetsReceived() == 1; }));
}
