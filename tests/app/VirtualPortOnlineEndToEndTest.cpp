#include "DebugLog.h"
#include "DocumentWindow.h"
#include "ExchangeSimulator.h"
#include "FieldNames.h"
#include "FileDialogService.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "PtyEndpoint.h"
#include "QtSerialPort.h"
#include "QtTimerFactory.h"
#include "RecordWriteQueue.h"
#include "Registry.h"
#include "SampleConfiguration.h"
#include "SerialLink.h"
#include "TestSupport.h"
#include "TreeSearch.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {
// Retransmissions every 50 ms and the panel timer at 20 ms; on an unpaced line the behaviour is the same.
constexpr double TimerScale = 0.02;
constexpr int TransferBoundMilliseconds = 60000;
constexpr int RenamedPort = 5;
constexpr int OtherPort = 7;
const QByteArray NewName = QByteArrayLiteral("Sales Desk");

// The program on one side of a pseudo-terminal and a simulated exchange on
// the other, with the exchange's configuration read into a document.
class VirtualPortOnlineEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SampleConfiguration::build(m_simulator.configuration());
        ASSERT_TRUE(m_pty.open()) << m_pty.errorString().toStdString();

        m_window = std::make_unique<MainWindow>(
            MainWindow::Services{m_registry, m_messages, m_fileDialogs, m_timers, m_log},
            std::make_unique<QtSerialPort>(m_timers, &m_log));
        m_window->setPortOverride(m_pty.slavePath());
        m_window->load();
        ASSERT_TRUE(m_window->link().isOpen());
        m_window->show();

        m_window->findChild<QAction *>(QStringLiteral("mnuFileNew"))->trigger();
        m_document = m_window->activeDocument();
        ASSERT_NE(m_document, nullptr);
        m_tree = m_document->tree();
        ASSERT_TRUE(runEventsUntil([this] { return findTreeNode(m_tree, QStringLiteral("VPR%1").arg(OtherPort)); },
                                   TransferBoundMilliseconds));
        ASSERT_TRUE(m_messages.shownMessages().isEmpty());
        // The transfer window had the activation; field editors need their window active to see the focus move.
        m_window->activateWindow();
        ASSERT_TRUE(runEventsUntil([this] { return m_window->isActiveWindow(); }));
    }

    void setOnline(bool online)
    {
        QAction *item = m_window->findChild<QAction *>(QStringLiteral("mnuFileOnline"));
        ASSERT_NE(item, nullptr);
        if (item->isChecked() != online)
            item->trigger();
        ASSERT_EQ(m_window->updateOnlineSystem(), online);
    }

    // A mouse click on the port's node, then the wait for its panel.
    void openPort(int index)
    {
        QTreeWidgetItem *item = findTreeNode(m_tree, QStringLiteral("VPR%1").arg(index));
        ASSERT_NE(item, nullptr);
        m_tree->scrollToItem(item);
        QCoreApplication::processEvents();
        QTest::mouseClick(m_tree->viewport(), Qt::LeftButton, Qt::NoModifier, m_tree->visualItemRect(item).center());
        const QString name = QString::fromLatin1(m_simulator.configuration().VirtualPorts().GetString(FieldNames::Name, index));
        ASSERT_TRUE(runEventsUntil([this, name] {
            return m_document->isPanelVisible(DocumentWindow::Panel::VirtualPorts) && nameBox()->text() == name;
        }));
    }

    QLineEdit *nameBox() const { return m_document->findChild<QLineEdit *>(QStringLiteral("txtVPName")); }

    void renameShownPort()
    {
        QLineEdit *box = nameBox();
        box->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(box->hasFocus());
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, QString::fromLatin1(NewName));
    }

    QByteArray exchangeName(int index) const
    {
        return m_simulator.configuration().VirtualPorts().GetString(FieldNames::Name, index);
    }
    QByteArray documentName(int index) const
    {
        return m_window->configuration(m_document->ExNum()).VirtualPorts().GetString(FieldNames::Name, index);
    }
    bool confirmed(int index) const
    {
        return m_window->writeQueue().state(m_window->configuration(m_document->ExNum()), ExchClass::VirtualPortsMember,
                                            index)
            == RecordWriteQueue::State::Confirmed;
    }

    QTemporaryDir m_dir;
    Registry m_registry{m_dir.filePath(QStringLiteral("settings.ini"))};
    MessageService m_messages;
    FileDialogService m_fileDialogs;
    DebugLog m_log;
    QtTimerFactory m_timers{TimerScale};
    ExchangeSimulator m_simulator;
    PtyEndpoint m_pty{&m_simulator};
    std::unique_ptr<MainWindow> m_window;
    DocumentWindow *m_document = nullptr;
    QTreeWidget *m_tree = nullptr;
};

TEST_F(VirtualPortOnlineEndToEnd, ARenamedPortReachesTheExchangeWhenTheEngineerMovesOnWhileUpdatingOnline)
{
    setOnline(true);
    openPort(RenamedPort);
    renameShownPort();
    openPort(OtherPort);

    EXPECT_EQ(documentName(RenamedPort), NewName);
    EXPECT_TRUE(runEventsUntil([this] { return confirmed(RenamedPort); }));
    EXPECT_EQ(exchangeName(RenamedPort), NewName);
    EXPECT_EQ(findTreeNode(m_tree, QStringLiteral("VPR%1").arg(RenamedPort))->text(0), QStringLiteral("5 - Sales Desk"));
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(VirtualPortOnlineEndToEnd, ARenamedPortStaysInTheDocumentWhenNotUpdatingOnline)
{
    setOnline(false);
    const QByteArray oldName = exchangeName(RenamedPort);
    openPort(RenamedPort);
    renameShownPort();
    openPort(OtherPort);
    EXPECT_EQ(documentName(RenamedPort), NewName);

    // The line keeps its order: once a record sent afterwards has arrived,
    // a rename sent at the click would have arrived before it.
    const int framesBefore = m_simulator.framesReceived();
    m_document->saveRecord();
    ASSERT_TRUE(runEventsUntil([this, framesBefore] { return m_simulator.framesReceived() > framesBefore; }));
    EXPECT_EQ(m_simulator.framesReceived(), framesBefore + 1);
    EXPECT_EQ(exchangeName(RenamedPort), oldName);
}

TEST_F(VirtualPortOnlineEndToEnd, AWriteTheLineLosesIsSentAgainAndConfirmedByItsEcho)
{
    setOnline(true);
    openPort(RenamedPort);
    renameShownPort();
    // The next frame the exchange receives, the rename, is lost on the way.
    const int framesBefore = m_simulator.framesReceived();
    m_simulator.setDropEvery(framesBefore + 1);
    openPort(OtherPort);

    EXPECT_TRUE(runEventsUntil([this] { return confirmed(RenamedPort); }));
    EXPECT_EQ(m_simulator.framesDropped(), 1);
    EXPECT_EQ(m_simulator.framesReceived(), framesBefore + 2) << "the rename and its one resend";
    EXPECT_EQ(exchangeName(RenamedPort), NewName);
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(VirtualPortOnlineEndToEnd, CancelDuringAGetEndsItAtOnceAndLeavesNoDocument)
{
    m_window->findChild<QAction *>(QStringLiteral("mnuGetConfig"))->trigger();
    ASSERT_EQ(m_window->documents().size(), 2);
    auto *cancel = m_window->findChild<QPushButton *>(QStringLiteral("cmdCancel"));
    ASSERT_NE(cancel, nullptr);
    ASSERT_TRUE(cancel->isVisible());

    cancel->click();
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_EQ(m_window->documents(), QList<DocumentWindow *>{m_document});
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}
} // namespace
