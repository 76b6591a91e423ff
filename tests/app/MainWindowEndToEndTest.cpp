#include "DebugLog.h"
#include "DemoExchange.h"
#include "DocumentWindow.h"
#include "ExchangeSimulator.h"
#include "FieldNames.h"
#include "FileDialogService.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "PtyEndpoint.h"
#include "QtSerialPort.h"
#include "QtTimerFactory.h"
#include "Registry.h"
#include "SampleConfiguration.h"
#include "SerialLink.h"
#include "TestSupport.h"
#include "TreeSearch.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {
// Retransmissions every 50 ms instead of 2500 ms; on an unpaced line the behaviour is the same.
constexpr double TimerScale = 0.02;
constexpr int TransferBoundMilliseconds = 60000;
const QString VirtualPortsKey = QStringLiteral("RVP");

// The program's own serial port on one side of a pseudo-terminal, a simulated exchange on the other.
class MainWindowEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void expectFileNewReadsTheExchange(const QString &device, TimerFactory &timers, const ExchClass &exchange)
    {
        MainWindow window({m_registry, m_messages, m_fileDialogs, timers, m_log},
                          std::make_unique<QtSerialPort>(timers, &m_log));
        window.setPortOverride(device);
        window.load();
        ASSERT_TRUE(window.link().isOpen());
        ASSERT_FALSE(window.link().noConnection());

        window.findChild<QAction *>(QStringLiteral("mnuFileNew"))->trigger();
        ASSERT_EQ(window.documents().size(), 1);
        DocumentWindow *document = window.activeDocument();
        auto *tree = document->findChild<QTreeWidget *>(QStringLiteral("trvTables"));
        ASSERT_NE(tree, nullptr);

        EXPECT_TRUE(runEventsUntil(
            [tree] {
                const QTreeWidgetItem *virtualPorts = findTreeNode(tree, VirtualPortsKey);
                return virtualPorts && virtualPorts->childCount() > 0;
            },
            TransferBoundMilliseconds));
        EXPECT_TRUE(m_messages.shownMessages().isEmpty());
        const ExchClass &received = window.configuration(document->ExNum());
        EXPECT_EQ(received.VirtualPorts().record(1), exchange.VirtualPorts().record(1));
        EXPECT_EQ(received.Groups().record(0), exchange.Groups().record(0));
    }

    QTemporaryDir m_dir;
    Registry m_registry{m_dir.filePath(QStringLiteral("settings.ini"))};
    MessageService m_messages;
    FileDialogService m_fileDialogs;
    DebugLog m_log;
};
} // namespace

TEST_F(MainWindowEndToEnd, FileNewReadsTheExchangeIntoANewDocumentAndBuildsItsTree)
{
    QtTimerFactory timers(TimerScale);
    ExchangeSimulator simulator;
    SampleConfiguration::build(simulator.configuration());
    PtyEndpoint pty(&simulator);
    ASSERT_TRUE(pty.open()) << pty.errorString().toStdString();

    expectFileNewReadsTheExchange(pty.slavePath(), timers, simulator.configuration());
}

TEST_F(MainWindowEndToEnd, TheDemoExchangeAnswersAtTheLinesPaceInTimeForTheProgramsOwnTimers)
{
    DemoExchange demo(m_log);
    ASSERT_TRUE(demo.start()) << demo.errorString().toStdString();
    ExchClass sample(&m_log);
    SampleConfiguration::build(sample);

    expectFileNewReadsTheExchange(demo.devicePath(), QtTimerFactory::shared(), sample);
}

TEST_F(MainWindowEndToEnd, AFileOpenedBesideTheExchangeReadInThisRunNamesBothSystemsBeforeItsFirstWrite)
{
    QtTimerFactory timers(TimerScale);
    ExchangeSimulator simulator;
    SampleConfiguration::build(simulator.configuration());
    PtyEndpoint pty(&simulator);
    ASSERT_TRUE(pty.open()) << pty.errorString().toStdString();
    MainWindow window({m_registry, m_messages, m_fileDialogs, timers, m_log},
                      std::make_unique<QtSerialPort>(timers, &m_log));
    window.setPortOverride(pty.slavePath());
    window.load();

    window.findChild<QAction *>(QStringLiteral("mnuGetConfig"))->trigger();
    ExchClass &read = window.configuration(window.activeDocument()->ExNum());
    QTreeWidget *tree = window.activeDocument()->tree();
    ASSERT_TRUE(runEventsUntil(
        [tree] {
            const QTreeWidgetItem *virtualPorts = findTreeNode(tree, VirtualPortsKey);
            return virtualPorts && virtualPorts->childCount() > 0;
        },
        TransferBoundMilliseconds));
    EXPECT_TRUE(window.writeRecord(read, ExchClass::VirtualPortsMember, 1));

    const QString path = m_dir.filePath(QStringLiteral("harbour.QBF"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QB_DATA_DIR "/sample.QBF"), path));
    m_fileDialogs.setNextFileName(path);
    window.findChild<QAction *>(QStringLiteral("mnuFileOpen"))->trigger();
    ExchClass &fromFile = window.configuration(window.activeDocument()->ExNum());
    fromFile.System().SetString(FieldNames::Name, 0, "Harbour Office");
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());

    m_messages.setNextAnswer(QMessageBox::No);
    EXPECT_FALSE(window.writeRecord(fromFile, ExchClass::VirtualPortsMember, 1));
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    EXPECT_TRUE(m_messages.shownMessages()[0].text.contains(
        QStringLiteral("Its system: \"Harbour Office\"\nThe exchange: \"Kestrel Marine Offices\"\n")));
}
