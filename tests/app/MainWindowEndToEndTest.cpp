#include "support/gui/PtyMainWindowFixture.h"

#include "app/DemoExchange.h"
#include "editor/widgets/DocumentWindow.h"
#include "history/HistoryStore.h"
#include "history/SystemClock.h"
#include "link/RecordWriteQueue.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TreeSearch.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
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

// The rows on show, one a line, their filled columns joined.
QString rows(const QTreeWidget *tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(tree)); *it; ++it) {
        if ((*it)->isHidden())
            continue;
        QStringList columns;
        for (int c = 0; c < tree->columnCount(); ++c) {
            if (!(*it)->text(c).isEmpty())
                columns.append((*it)->text(c));
        }
        texts.append(columns.join(QStringLiteral(" | ")));
    }
    return texts.join(QLatin1Char('\n'));
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
    // Runs a File menu item, taking the structure dialog's first choice (ACL)
    // and the named file; the messages it showed.
    QList<MessageService::Message> run(const char *item, const QString &file)
    {
        QTimer chooser;
        chooser.setInterval(0);
        QObject::connect(&chooser, &QTimer::timeout, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        chooser.start();
        m_messages.clearShownMessages();
        m_fileDialogs.setNextFileName(file);
        trigger(item);
        return m_messages.shownMessages();
    }

    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    // Runs System → Send Changes; whether a transfer ran and ended.
    bool sendChanges()
    {
        trigger("mnuSendChanges");
        auto *transfer = child<QDialog>(m_window.get(), "frmGetConfig");
        return transfer->isVisible() && waitFor([transfer] { return !transfer->isVisible(); });
    }
};
} // namespace

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
    EXPECT_TRUE(records(configuration(document)) == records(sample));
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
    EXPECT_TRUE(
        messageTexts(m_messages)
            .value(0)
            .contains(QStringLiteral("Its system: \"Harbour Office\"\nThe exchange: \"Kestrel Marine Offices\"\n")));
}

TEST_F(MainWindowEndToEnd, SendConfigurationAnsweredYesLeavesTheExchangeHoldingTheDocument)
{
    DocumentWindow *document = openSample();
    ExchClass &sent = configuration(document);
    sent.VirtualPorts().SetString(FieldNames::Name, 5, "Sales Desk");
    RecordSlots::release(sent.Groups(), 2);
    m_messages.setNextAnswer(QMessageBox::Yes);
    m_messages.setNextAnswer(QMessageBox::Yes);
    trigger("mnuSendConfig");
    auto *transfer = child<QDialog>(m_window.get(), "frmGetConfig");
    ASSERT_TRUE(waitFor([transfer] { return !transfer->isVisible(); }));
    EXPECT_TRUE(records(m_simulator.configuration()) == records(sent));
    ASSERT_EQ(m_messages.shownMessages().size(), 2) << "the check's question, the send's, and nothing after them";
    EXPECT_TRUE(messageTexts(m_messages)[0].contains(QStringLiteral("it is a member of Groups 2, which is free")));
    // Written to the exchange in this run, the document's next write is not asked about.
    EXPECT_TRUE(m_window->writeRecord(sent, ExchClass::VirtualPortsMember, 5));
    EXPECT_EQ(m_messages.shownMessages().size(), 2);
}

TEST_F(MainWindowEndToEnd, FileNewReadsTheExchangeAndARenamedPortReachesItWhenTheEngineerMovesOnWhileUpdatingOnline)
{
    DocumentWindow *document = readExchange();
    ASSERT_NE(document, nullptr);
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
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(MainWindowEndToEnd, AGetIsKeptAndCompareWithExchangeShowsTheDocumentsEditsWithoutTouchingIt)
{
    QDir(HistoryStore::defaultRoot()).removeRecursively();
    const HistoryStore history(HistoryStore::defaultRoot(), SystemClock::shared(), 100);
    DocumentWindow *document = readExchange("mnuGetConfig");
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(waitFor([&history] { return !history.entries().isEmpty(); }));
    ExchClass &edited = configuration(document);
    edited.ACL().SetString(FieldNames::Name, 2, "Changed Name");
    edited.VirtualPorts().SetInteger("RXGain", 0, 5);
    const ExchClass before = edited;

    trigger("mnuCompareWithExchange");
    QWidget *comparison = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (comparison = m_window->findChild<QWidget *>(QStringLiteral("frmComparison"))); }));
    auto *changes = comparison->findChild<QTreeWidget *>(QStringLiteral("trvChanges"));
    EXPECT_EQ(rows(changes),
              QStringLiteral("ACL: 1 record\n"
                             "ACL 2 (Dist 1)\n"
                             "Name | \"Dist 1\" | \"Changed Name\"\n"
                             "Virtual Ports: 1 record\n"
                             "Virtual Ports 0 (Reception)\n"
                             "RXGain | 3 | 5"));
    comparison->findChild<QLineEdit *>(QStringLiteral("txtFilter"))->setText(QStringLiteral("changed NAME"));
    EXPECT_EQ(rows(changes), QStringLiteral("ACL: 1 record\nACL 2 (Dist 1)\nName | \"Dist 1\" | \"Changed Name\""));

    changes->setCurrentItem(changes->findItems(QStringLiteral("Name"), Qt::MatchExactly | Qt::MatchRecursive).value(0));
    comparison->findChild<QPushButton *>(QStringLiteral("cmdShowRecord"))->click();
    ASSERT_NE(document->tree()->currentItem(), nullptr);
    EXPECT_EQ(document->tree()->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("ACR2"));

    // The exchange was read into a configuration of its own, and kept as a get too.
    EXPECT_EQ(m_window->documents().size(), 1);
    EXPECT_TRUE(configuration(document) == before);
    const QList<HistoryEntry> entries = history.entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].kind, HistoryEntry::Kind::Get);
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(MainWindowEndToEnd, AGetWhoseCopyCannotBeKeptStillOpensAndThenSaysWhyNoCopyWasKept)
{
    const QString root = HistoryStore::defaultRoot();
    QDir(root).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(root).path()));
    ASSERT_TRUE(writeFile(root, "a file where the history's folder belongs"));
    m_messages.setNextAnswer(QMessageBox::Ok);
    ASSERT_NE(readExchange("mnuGetConfig"), nullptr);
    ASSERT_TRUE(waitFor([this] { return !m_messages.shownMessages().isEmpty(); }));
    QFile::remove(root);
    const MessageService::Message told = m_messages.shownMessages().constFirst();
    EXPECT_EQ(told.title + QLatin1Char('|') + told.text.section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("History|The configuration was read from the exchange, but no copy of it could be kept "
                             "in the history:"));
    EXPECT_EQ(told.text.section(QLatin1Char('\n'), 1),
              QStringLiteral("Cannot create the folder \"%1/Kestrel_Marine_Offices\"").arg(root));
}

TEST_F(MainWindowEndToEnd, AnEditedExportImportsAsOneUndoableStepWrittenOnlineWhileABadRowChangesNothing)
{
    DocumentWindow *document = readExchange("mnuGetConfig");
    ASSERT_NE(document, nullptr);
    ExchClass &config = configuration(document);
    EXPECT_TRUE(run("mnuFileExportCsv", path("acl.csv")).isEmpty());
    QByteArray table = fileContent(path("acl.csv"));

    ASSERT_TRUE(writeFile(path("acl.csv"), table.replace(",Dist 1,", ",Dispatch,")));
    m_messages.setNextAnswer(QMessageBox::Yes);
    const QList<MessageService::Message> asked = run("mnuFileImportCsv", path("acl.csv"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].text,
              QStringLiteral("Import acl.csv into ACL of Document 1?\n\n"
                             "ACL 2 (Dist 1): Name \"Dist 1\" -> \"Dispatch\"\n\n"
                             "The result's check: no problems."));
    EXPECT_EQ(config.ACL().GetString(FieldNames::Name, 2), QByteArray("Dispatch"));
    EXPECT_TRUE(waitFor(
        [this] { return m_simulator.configuration().ACL().GetString(FieldNames::Name, 2) == QByteArray("Dispatch"); }));
    QAction *undo = child<QAction>(m_window.get(), "mnuEditUndo");
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Import CSV (ACL)"));

    undo->trigger();
    EXPECT_EQ(config.ACL().GetString(FieldNames::Name, 2), QByteArray("Dist 1"));
    m_messages.setNextAnswer(QMessageBox::No);
    run("mnuFileImportCsv", path("acl.csv"));
    EXPECT_EQ(config.ACL().GetString(FieldNames::Name, 2), QByteArray("Dist 1")) << "answered no";
    EXPECT_TRUE(run("mnuFileExportCsv", path("now.csv")).isEmpty());
    m_messages.setNextAnswer(QMessageBox::Ok);
    EXPECT_EQ(run("mnuFileImportCsv", path("now.csv")).value(0).text,
              QStringLiteral("now.csv changes nothing in ACL of Document 1."));
    m_messages.setNextAnswer(QMessageBox::Ok);
    EXPECT_EQ(run("mnuFileExportCsv", path("gone/acl.csv")).value(0).text,
              QStringLiteral("Cannot write \"%1\": No such file or directory").arg(path("gone/acl.csv")));

    const QByteArray before = config.ACL().record(3);
    ASSERT_TRUE(writeFile(path("bad.csv"), "record,Name\r\n3,Reception\r\n4,Far too long a name\r\n"));
    m_messages.setNextAnswer(QMessageBox::Ok);
    EXPECT_EQ(run("mnuFileImportCsv", path("bad.csv")).value(0).text,
              QStringLiteral("bad.csv cannot be imported into ACL: nothing was changed.\n\n"
                             "line 3, column Name: must be at most 15 characters, not 19"));
    EXPECT_EQ(config.ACL().record(3), before);
}

TEST_F(MainWindowEndToEnd, WritesTheOneRecordChangedSinceTheGetThenSeesNothingNewAndRefusesAnotherLayout)
{
    QDir(HistoryStore::defaultRoot()).removeRecursively();
    DocumentWindow *document = readExchange("mnuGetConfig");
    ASSERT_NE(document, nullptr);
    child<QAction>(m_window.get(), "mnuFileOnline")->trigger();
    ExchClass &edited = configuration(document);
    document->beginStep(QStringLiteral("Rename Virtual Port 5"));
    edited.VirtualPorts().SetString(FieldNames::Name, 5, "Sales Desk");
    document->endStep();

    // The exchange's own copy of a record the document did not change: a whole send would overwrite it. Counting
    // frames instead would not do, as a loaded machine may see a frame sent again.
    ExchClass &exchange = m_simulator.configuration();
    exchange.ACL().SetString(FieldNames::Name, 3, "Left Alone");
    m_messages.setNextAnswer(QMessageBox::Yes);
    ASSERT_TRUE(sendChanges());
    EXPECT_EQ(exchange.VirtualPorts().GetString(FieldNames::Name, 5), QByteArray("Sales Desk"));
    EXPECT_EQ(exchange.ACL().GetString(FieldNames::Name, 3), QByteArray("Left Alone"));
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    const QString question = m_messages.shownMessages()[0].text;
    EXPECT_TRUE(question.contains(QStringLiteral("\n\nChanges since the configuration read from the exchange on ")))
        << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral(":\nVirtual Ports 5 (Sales 1): Name \"Sales 1\" -> \"Sales Desk\"\n\n"
                                                 "Only this record is written;")))
        << question.toStdString();
    EXPECT_EQ(HistoryStore(HistoryStore::defaultRoot(), SystemClock::shared(), 100).entries().value(0).kind,
              HistoryEntry::Kind::Send);

    m_messages.clearShownMessages();
    m_messages.setNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(sendChanges());
    EXPECT_TRUE(messageTexts(m_messages).value(0).endsWith(QStringLiteral(": there is nothing to send.")));

    edited.ACL().PutBlank(edited.ACL().Records());
    m_messages.clearShownMessages();
    m_messages.setNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(sendChanges());
    EXPECT_EQ(exchange.ACL().GetString(FieldNames::Name, 3), QByteArray("Left Alone")) << "nothing was sent";
    EXPECT_TRUE(messageTexts(m_messages).value(0).startsWith(QStringLiteral("The layout of ACL differs")));
}
