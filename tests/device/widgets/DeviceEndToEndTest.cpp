#include "support/gui/PtyMainWindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The windows' own timers are simulated and never run out, so only the exchange's answers move them on.
class DeviceEndToEnd : public PtyMainWindowFixture
{
protected:
    DeviceEndToEnd() { m_windowTimers = &m_simulatedTimers; }

    QWidget *window(const char *name) const { return m_window->findChild<QWidget *>(QLatin1String(name)); }
    QLineEdit *box(const char *window, const char *name) const { return child<QLineEdit>(this->window(window), name); }
    void click(const char *window, const char *name)
    {
        QTest::mouseClick(child<QPushButton>(this->window(window), name), Qt::LeftButton);
    }
    bool statusBecomes(const char *window, const char *text)
    {
        return waitFor(
            [this, window, text] { return shownIn(this->window(window), "sbar1Panel1") == QLatin1String(text); });
    }
    bool messageShown(const char *text) const { return messageTexts(m_messages).contains(QLatin1String(text)); }
};

TEST_F(DeviceEndToEnd, TheBoardWindowShowsTheBoardsAndWritesOneBoardsSerialAndDate)
{
    m_messages.setNextAnswer(QMessageBox::Yes);
    queueAnswers(m_messages, QMessageBox::Ok, 3);
    trigger("mnuBoards");
    ASSERT_TRUE(waitFor([this] { return window("frmBoardInfo") && window("frmBoardInfo")->isVisible(); }));
    EXPECT_EQ(window("frmBoardInfo")->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(shownIn(window("frmBoardInfo"), "txtSerial0 txtManu0 txtSerial3"),
              QStringLiteral("ORX4127|14/03/2008|Missing"));
    box("frmBoardInfo", "txtSerial3")->setText(QStringLiteral("ORX9170"));
    box("frmBoardInfo", "txtManu3")->setText(QStringLiteral("29/02/2024"));
    click("frmBoardInfo", "cmdSave3");
    ASSERT_TRUE(waitFor([this] { return messageShown("Send Info to Board 4"); }));
    EXPECT_EQ(m_simulator.boardSerialNumber(3), QByteArray("ORX9170\0", 8));
    EXPECT_EQ(m_simulator.boardManufactureDate(3), QByteArray("20240229"));

    box("frmBoardInfo", "txtSerial3")->clear();
    trigger("mnuBoards");
    ASSERT_TRUE(waitFor([this] { return !box("frmBoardInfo", "txtSerial3")->text().isEmpty(); }));
    EXPECT_EQ(shownIn(window("frmBoardInfo"), "txtSerial3 txtManu3"), QStringLiteral("ORX9170|29/02/2024"));
}

TEST_F(DeviceEndToEnd, TheParameterWindowsSendTheirSeriesOnTheExchangesAcknowledgements)
{
    queueAnswers(m_messages, QMessageBox::Ok, 3);
    trigger("mnuAdvTie");
    click("frmTieParams", "cmdSendCad");
    ASSERT_TRUE(statusBecomes("frmTieParams", "Data Received in Exchange - 10,3"));
    box("frmTieParams", "txtStart")->setText(QStringLiteral("200"));
    click("frmTieParams", "cmdSend");
    ASSERT_TRUE(statusBecomes("frmTieParams", "Data Received in Exchange"));

    // The packets' bytes are the packet builders'; here they must all arrive, in their order.
    const QList<QByteArray> received = m_simulator.boardParameters();
    ASSERT_EQ(received.size(), 44 + 1);
    EXPECT_EQ(received[43].left(5), bytes("06 04 0B 0A 03"));
    EXPECT_EQ(received[44].right(1), bytes("02"));
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(DeviceEndToEnd, TheFactoryWindowRebuildsTheConfigurationAndResetSystemResetsTheExchange)
{
    m_messages.setNextAnswer(QMessageBox::Yes);
    queueAnswers(m_messages, QMessageBox::Ok, 2);
    trigger("mnuFileBuildFactory");
    click("frmFactory", "cmdBuildFactory");
    ASSERT_TRUE(waitFor([this] { return messageShown("Factory Default has been restored"); }));
    EXPECT_TRUE(messageShown("Rebuild Factory Configuration Command Sent to System"));
    EXPECT_EQ(m_simulator.factoryConfiguration(), bytes("05 64 0D 0D 05 05 00 83 83 83 83 83 00 84 00 00 00"));

    m_messages.setNextAnswer(QMessageBox::Yes);
    trigger("mnuFileReset");
    ASSERT_TRUE(waitFor([this] { return m_simulator.resetsReceived() == 1; }));
}

} // namespace
