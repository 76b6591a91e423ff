#include "support/gui/PtyMainWindowFixture.h"

#include "app/DemoExchange.h"
#include "editor/widgets/DocumentWindow.h"
#include "link/RecordWriteQueue.h"
#include "link/SerialLink.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TreeSearch.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace {

// Every record of every structure.
QList<QByteArray> records(const ExchClass &config)
{
    QList<QByteArray> result;
    for (ExchClass::Member member : ExchClass::fileOrder()) {
        for (int i = 0; i < config.member(member).Records(); ++i)
            result.append(config.member(member).record(i));
    }
    return result;
}

class MainWindowEndToEnd : public PtyMainWindowFixture
{
protected:
    DocumentWindow *openSample()
    {
        const QString path = m_dir.filePath(QStringLiteral("harbour.QBF"));
        EXPECT_TRUE(QFile::copy(QStringLiteral(QB_DATA_DIR "/sample.QBF"), path));
        m_fileDialogs.setNextFileName(path);
        trigger("mnuFileOpen");
        return m_window->activeDocument();
    }
    ExchClass &configuration(const DocumentWindow *document) { return m_window->configuration(document->ExNum()); }
};

TEST_F(MainWindowEndToEnd, TheDemoExchangeAnswersAtTheLinesPaceInTimeForTheProgramsOwnTimers)
{
    DemoExchange demo(m_log);
    ASSERT_TRUE(demo.start()) << demo.errorString().toStdString();
    m_window = openWindow(demo.devicePath(), QtTimerFactory::shared());
    DocumentWindow *document = readExchange();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
    ExchClass sample(&m_log);
    SampleConfiguration::build(sample);
    EXPECT_EQ(configuration(document).VirtualPorts().record(1), sample.VirtualPorts().record(1));
    EXPECT_EQ(configuration(document).Groups().record(0), sample.Groups().record(0));
}

TEST_F(MainWindowEndToEnd, AFileOpenedBesideTheExchangeReadInThisRunNamesBothSystemsBeforeItsFirstWrite)
{
    DocumentWindow *read = readExchange("mnuGetConfig");
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(m_window->writeRecord(configuration(read), ExchClass::VirtualPortsMember, 1));

    ExchClass &fromFile = configuration(openSample());
    fromFile.System().SetString(FieldNames::Name, 0, "Harbour Office");
    m_messages.setNextAnswer(QMessageBox::No);
    EXPECT_FALSE(m_window->writeRecord(fromFile, ExchClass::VirtualPortsMember, 1));
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    EXPECT_TRUE(m_messages.shownMessages()[0].text.contains(
        QStringLiteral("Its system: \"Harbour Office\"\nThe exchange: \"Kestrel Marine Offices\"\n")));
}

TEST_F(MainWindowEndToEnd, SendConfigurationAnsweredYesLeavesTheExchangeHoldingTheDocument)
{
    DocumentWindow *document = openSample();
    ExchClass &sent = configuration(document);
    sent.System().SetString(FieldNames::Name, 0, "Harbour Office");
    sent.VirtualPorts().SetString(FieldNames::Name, 5, "Sales Desk");
    RecordSlots::release(sent.Groups(), 2);
    m_messages.setNextAnswer(QMessageBox::Yes);
    m_messages.setNextAnswer(QMessageBox::Yes);
    trigger("mnuSendConfig");
    auto *transfer = child<QDialog>(m_window.get(), "frmGetConfig");
    ASSERT_TRUE(transfer && transfer->isVisible());
    ASSERT_TRUE(waitFor([transfer] { return !transfer->isVisible(); }));

    const ExchClass &held = m_simulator.configuration();
    EXPECT_EQ(held.System().GetString(FieldNames::Name, 0), QByteArrayLiteral("Harbour Office"));
    EXPECT_EQ(held.VirtualPorts().GetString(FieldNames::Name, 5), QByteArrayLiteral("Sales Desk"));
    EXPECT_TRUE(RecordSlots::isFree(held.Groups(), 2));
    EXPECT_TRUE(records(held) == records(sent));
    ASSERT_EQ(m_messages.shownMessages().size(), 2) << "the check's question, the send's, and nothing after them";
    EXPECT_TRUE(
        m_messages.shownMessages()[0].text.contains(QStringLiteral("it is a member of Groups 2, which is free")))
        << m_messages.shownMessages()[0].text.toStdString();
    // Written to the exchange in this run, the document's next write is not asked about.
    EXPECT_TRUE(m_window->writeRecord(sent, ExchClass::VirtualPortsMember, 5));
    EXPECT_EQ(m_messages.shownMessages().size(), 2);
}

TEST_F(MainWindowEndToEnd, FileNewReadsTheExchangeAndARenamedPortReachesItWhenTheEngineerMovesOnWhileUpdatingOnline)
{
    DocumentWindow *document = readExchange();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(records(configuration(document)) == records(m_simulator.configuration()));
    m_window->show();
    // The transfer window had the activation; field editors need their window active to see the focus move.
    m_window->activateWindow();
    ASSERT_TRUE(waitFor([this] { return m_window->isActiveWindow(); }));
    QTreeWidget *tree = document->tree();
    auto *name = child<QLineEdit>(document, "txtVPName");
    const auto openPort = [tree, name](int index, const char *shown) {
        QTreeWidgetItem *item = findTreeNode(tree, QStringLiteral("VPR%1").arg(index));
        tree->scrollToItem(item);
        QCoreApplication::processEvents();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(item).center());
        return waitFor([name, shown] { return name->isVisible() && name->text() == QLatin1String(shown); });
    };
    ASSERT_TRUE(openPort(5, "Sales 1"));
    name->setFocus(Qt::MouseFocusReason);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Sales Desk"));
    ASSERT_TRUE(openPort(7, "Sales 3"));

    ExchClass &edited = configuration(document);
    EXPECT_TRUE(waitFor([&] {
        return m_window->writeQueue().state(edited, ExchClass::VirtualPortsMember, 5)
            == RecordWriteQueue::State::Confirmed;
    }));
    EXPECT_EQ(m_simulator.configuration().VirtualPorts().GetString(FieldNames::Name, 5),
              QByteArrayLiteral("Sales Desk"));
    EXPECT_EQ(findTreeNode(tree, QStringLiteral("VPR5"))->text(0), QStringLiteral("5 - Sales Desk"));
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

} // namespace
