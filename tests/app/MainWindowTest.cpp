#include "support/gui/MainWindowFixture.h"

#include "app/CommandLine.h"
#include "export/widgets/PrintService.h"
#include "history/HistoryStore.h"
#include "history/SystemClock.h"
#include "model/ConfigFile.h"
#include "simulator/ExchangeSimulator.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class MainWindowTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        m_window->load();
    }
    QMdiArea *mdiArea() const { return m_window->findChild<QMdiArea *>(); }
    // The paths of the visible items of the recently used list, top first, each numbered as "&1 ".
    QStringList recent() const
    {
        QStringList paths;
        for (int i = 1; i <= 4; ++i) {
            const QAction *item = action(QStringLiteral("mnuFileMRU%1").arg(i).toLatin1().constData());
            if (item->isVisible()) {
                EXPECT_TRUE(item->text().startsWith(QStringLiteral("&%1 ").arg(i))) << item->text().toStdString();
                paths.append(item->text().mid(3));
            }
        }
        return paths;
    }
    QStringList captions() const
    {
        QStringList result;
        for (const DocumentWindow *document : m_window->documents())
            result.append(document->caption());
        return result;
    }
    ExchClass &activeConfiguration() { return m_window->configuration(m_window->activeDocument()->ExNum()); }
    // An edit made straight in the document's configuration, so the document has changed.
    void rename(DocumentWindow *document, const char *systemName)
    {
        m_window->configuration(document->ExNum()).System().SetString(FieldNames::Name, 0, systemName);
    }
};

TEST_F(MainWindowTest, OpenedFilesHeadTheRecentListAndOneThatFailsToLoadLeavesNoWindowAndMovesOnlyWhenNotPickedFromIt)
{
    const QString a = openSample();
    const QString b = openSample("b.QBF");
    const QString broken = m_dir.filePath(QStringLiteral("broken.QBF"));
    ASSERT_TRUE(writeFile(broken, "not a configuration"));
    m_messages.setNextAnswer(QMessageBox::Ok);
    openThroughDialog(broken);
    EXPECT_EQ(captions(), (QStringList{a, b}));
    EXPECT_EQ(messageTexts(m_messages), strings({"Invalid file type - cannot load!"}));
    EXPECT_EQ(recent(), (QStringList{broken, b, a}));
    const FileDialogService::Request request = m_fileDialogs.requests().constFirst();
    EXPECT_EQ(request.title + QLatin1Char('|') + request.filter,
              QStringLiteral("Open|Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*"));

    action("mnuFileMRU3")->trigger();
    EXPECT_EQ(recent(), (QStringList{a, broken, b}));
    EXPECT_EQ(m_window->activeDocument()->caption(), a);
    EXPECT_EQ(m_window->activeDocument()->tag(), QLatin1Char(':') + a);
    m_messages.setNextAnswer(QMessageBox::Ok);
    action("mnuFileMRU2")->trigger();
    EXPECT_EQ(recent().value(1), broken);
    EXPECT_EQ(m_window->documents().size(), 3);
}

TEST_F(MainWindowTest, TheFileNamedOnTheCommandLineOpensAtStartUpUnderItsFullPathOnTheSystemNode)
{
    const QString site = sampleCopy(QStringLiteral("Kestrel Marine.QBF"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    createWindow();
    m_window->load(CommandLine({QStringLiteral("\"Kestrel Marine.QBF\"")}).filePath());
    QDir::setCurrent(previous);
    EXPECT_EQ(captions(), QStringList{site});
    EXPECT_EQ(recent(), QStringList{site});
    const DocumentWindow *document = m_window->activeDocument();
    ASSERT_NE(document->tree()->currentItem(), nullptr);
    EXPECT_EQ(document->tree()->currentItem()->text(0), QStringLiteral("Orvex"));
    EXPECT_TRUE(document->isPanelVisible(DocumentWindow::Panel::System));
}

TEST_F(MainWindowTest, SaveWritesUnderTheCaptionAndSaveAsOrTheSaveOfAnUntitledDocumentAsksForTheNameItThenTakes)
{
    const QString a = openSample();
    const QString b = openSample("b.QBF");
    mdiArea()->setActiveSubWindow(mdiArea()->subWindowList().at(0));
    ASSERT_TRUE(QFile::remove(a));
    action("mnuFileSave")->trigger();
    EXPECT_TRUE(QFileInfo::exists(a));
    action("mnuWindowNewWindow")->trigger();
    ASSERT_TRUE(QFile::remove(a));
    ASSERT_TRUE(QFile::remove(b));
    action("mnuFileSaveAll")->trigger();
    EXPECT_TRUE(QFileInfo::exists(a) && QFileInfo::exists(b));

    EXPECT_EQ(m_window->activeDocument()->caption(), QStringLiteral("Document 3"));
    const QString named = m_dir.filePath(QStringLiteral("named.QBF"));
    m_fileDialogs.setNextFileName(named);
    action("mnuFileSave")->trigger();
    EXPECT_EQ(m_fileDialogs.requests().constLast().title, QStringLiteral("Save"));
    EXPECT_EQ(m_window->activeDocument()->caption(), named);
    EXPECT_TRUE(QFileInfo::exists(named));
    const QString copy = m_dir.filePath(QStringLiteral("copy.QBF"));
    m_fileDialogs.setNextFileName(copy);
    action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(m_fileDialogs.requests().constLast().title, QStringLiteral("Save As"));
    EXPECT_TRUE(QFileInfo::exists(copy));
    EXPECT_EQ(recent().mid(0, 2), (QStringList{copy, named}));
    m_fileDialogs.setNextFileName(QString());
    action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(m_window->activeDocument()->caption(), copy) << "cancelled";
}

TEST_F(MainWindowTest, TheStatusBarShowsThePortAndTheExchangeAndWithoutOneTransfersAreRefused)
{
    EXPECT_EQ(panelText("pnlPort") + QLatin1Char('|') + panelText("pnlConnection"),
              QStringLiteral("COM4; 38400 (/dev/ttyS3)|NO REPLY"));
    m_port->receive(bytes("7E 04 00 0C 30 30 00 00 1E 2D 0C 0F 06 18 06 14 00 00 00 00 7E"));
    EXPECT_EQ(panelText("pnlConnection"), QStringLiteral("ORVX"));
    m_port->changeCts(false);

    m_port->written.clear();
    queueAnswers(m_messages, QMessageBox::Ok, 3);
    action("mnuFileNew")->trigger();
    action("mnuGetConfig")->trigger();
    EXPECT_TRUE(m_window->documents().isEmpty());
    openSample();
    action("mnuSendConfig")->trigger();
    EXPECT_EQ(messageTexts(m_messages),
              strings({"Not getting configuraton\nNo Orvex detected", "No Orvex detected\nNot getting configuraton",
                       "No Orvex detected\nNot sending configuraton"}));
    EXPECT_EQ(m_messages.shownMessages().constLast().title, QStringLiteral("Get Configuration"));
    EXPECT_TRUE(m_port->written.isEmpty());
}

TEST_F(MainWindowTest, GetConfigurationOpensANewDocumentAsksTheExchangeAndACancelTakesTheDocumentAway)
{
    m_port->written.clear();
    action("mnuGetConfig")->trigger();
    EXPECT_EQ(captions(), QStringList{QStringLiteral("Document 1")});
    EXPECT_FALSE(m_port->written.isEmpty());
    // The one transfer window is busy: a second request starts nothing.
    action("New")->trigger();
    EXPECT_EQ(m_window->documents().size(), 1);

    auto *cancel = m_window->findChild<QPushButton *>(QStringLiteral("cmdCancel"));
    ASSERT_TRUE(cancel && cancel->isVisible());
    cancel->click();
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_TRUE(m_window->documents().isEmpty());
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(MainWindowTest, CommandsOnADocumentAreEnabledOnlyWhileThereIsOneAndLineReversalAndOnlineAreSwitches)
{
    const QStringList documentCommands =
        strings({"mnuFileClose", "mnuFileSave", "mnuFileSaveAs", "mnuSendConfig", "mnuViewRefresh", "Save", "UpdateSys",
                 "CopyRec", "mnuFilePrintPreview", "mnuFilePrint", "mnuFileExportPdf", "Print"});
    const auto enabled = [&] {
        QStringList names;
        for (const QString &name : documentCommands + strings({"mnuEditUndo", "mnuEditPasteSpecial", "mnuFileSend"})) {
            if (action(name.toLatin1().constData())->isEnabled())
                names.append(name);
        }
        return names;
    };
    EXPECT_EQ(enabled(), QStringList());
    EXPECT_TRUE(action("mnuFilePrintSetup")->isEnabled());
    action("mnuWindowNewWindow")->trigger();
    EXPECT_EQ(enabled(), documentCommands);
    action("mnuFileClose")->trigger();
    EXPECT_TRUE(m_window->documents().isEmpty());
    EXPECT_EQ(enabled(), QStringList());

    EXPECT_TRUE(action("mnuFileOnline")->isChecked());
    EXPECT_TRUE(m_window->updateOnlineSystem());
    action("mnuFileOnline")->trigger();
    EXPECT_FALSE(m_window->updateOnlineSystem());
    m_port->rts.clear();
    EXPECT_FALSE(action("mnuAdvLR")->isChecked());
    action("mnuAdvLR")->trigger();
    EXPECT_TRUE(action("mnuAdvLR")->isChecked());
    action("mnuAdvLR")->trigger();
    EXPECT_EQ(m_port->rts, (QList<bool>{true, false}));
}

TEST_F(MainWindowTest, TilingPutsDocumentsSideBySideOrOneAboveTheOtherAndIconsLineUpAlongTheBottom)
{
    action("mnuWindowNewWindow")->trigger();
    action("mnuWindowNewWindow")->trigger();
    const QList<QMdiSubWindow *> windows = mdiArea()->subWindowList();
    const QSize area = mdiArea()->viewport()->size();
    action("mnuWindowTileVertical")->trigger();
    EXPECT_EQ(windows.at(1)->geometry().topLeft(), windows.at(0)->geometry().topRight() + QPoint(1, 0));
    EXPECT_EQ(windows.at(0)->width() + windows.at(1)->width(), area.width());
    action("mnuWindowTileHorizontal")->trigger();
    EXPECT_EQ(windows.at(1)->geometry().topLeft(), windows.at(0)->geometry().bottomLeft() + QPoint(0, 1));
    EXPECT_EQ(windows.at(0)->height() + windows.at(1)->height(), area.height());

    for (QMdiSubWindow *window : windows)
        window->showMinimized();
    action("mnuWindowArrangeIcons")->trigger();
    EXPECT_EQ(windows.at(0)->geometry().bottomLeft(), QPoint(0, area.height() - 1));
    EXPECT_EQ(windows.at(1)->geometry().bottomLeft(), windows.at(0)->geometry().bottomRight() + QPoint(1, 0));
}

TEST_F(MainWindowTest, CancelOnAnyDocumentsQuestionStopsTheExitThere)
{
    openSample();
    openSample("b.QBF");
    for (DocumentWindow *document : m_window->documents())
        rename(document, "Edited");
    m_messages.setNextAnswer(QMessageBox::Cancel);
    action("mnuFileExit")->trigger();
    EXPECT_EQ(m_window->documents().size(), 2);
    EXPECT_EQ(m_messages.shownMessages().size(), 1);

    m_messages.setNextAnswer(QMessageBox::No);
    m_messages.setNextAnswer(QMessageBox::Cancel);
    action("mnuFileExit")->trigger();
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(m_window->documents().size(), 1);
    EXPECT_EQ(m_registry->GetSetting(SettingsKeys::Settings, SettingsKeys::MainWindowState), QString());

    m_messages.setNextAnswer(QMessageBox::No);
    action("mnuFileExit")->trigger();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_registry->GetSetting(SettingsKeys::Settings, SettingsKeys::MainWindowState), QStringLiteral("0"));
}

TEST_F(MainWindowTest, CutCopyAndPasteWorkOnTheFocusedTextBoxAndLeaveReadOnlyTextAlone)
{
    QLineEdit text(QStringLiteral("Reception"));
    text.show();
    QApplication::setActiveWindow(&text);
    text.setFocus();
    text.selectAll();
    action("mnuEditCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Reception"));
    text.setSelection(0, 4);
    action("Cut")->trigger();
    EXPECT_EQ(text.text() + QLatin1Char('|') + QApplication::clipboard()->text(), QStringLiteral("ption|Rece"));
    text.setCursorPosition(text.text().size());
    action("Paste")->trigger();
    EXPECT_EQ(text.text(), QStringLiteral("ptionRece"));
    QApplication::clipboard()->setText(QStringLiteral("Reception"));
    text.setReadOnly(true);
    text.selectAll();
    action("mnuEditCut")->trigger();
    action("mnuEditPaste")->trigger();
    EXPECT_EQ(text.text() + QLatin1Char('|') + QApplication::clipboard()->text(),
              QStringLiteral("ptionRece|Reception"));
}

TEST_F(MainWindowTest, CommandsOnADocumentFirstCommitTheEditOnItsScreen)
{
    openSample();
    DocumentWindow *document = m_window->activeDocument();
    action("mnuFileOnline")->trigger();
    m_window->printService().setNextAnswer(false);
    for (int dialogs = 0; dialogs < 3; ++dialogs)
        m_fileDialogs.setNextFileName(QString());
    m_messages.setNextAnswer(QMessageBox::No);
    m_messages.setNextAnswer(QMessageBox::Cancel);
    for (const char *command :
         {"mnuViewRefresh", "mnuFileSave", "mnuFileSaveAs", "mnuFileSaveAll", "mnuFileConvert", "mnuFilePrint",
          "mnuFilePrintPreview", "mnuFileExportPdf", "mnuSendConfig", "mnuFileClose"}) {
        // Saving made the document clean: the close question needs an edit to ask about.
        rename(document, command);
        document->setChanged(DocumentWindow::Panel::VirtualPorts, true);
        action(command)->trigger();
        EXPECT_FALSE(document->isChanged(DocumentWindow::Panel::VirtualPorts)) << command;
    }
    EXPECT_EQ(m_window->documents().size(), 1);
}

TEST_F(MainWindowTest, ADocumentFromAFileAsksBeforeItsFirstOnlineWriteAndKeepsTheAnswer)
{
    const QString kept = openSample("kept.QBF");
    ExchClass &keptConfig = activeConfiguration();
    openSample("written.QBF");
    rename(m_window->activeDocument(), "Harbour Office");
    ExchClass &writtenConfig = activeConfiguration();
    m_port->written.clear();

    m_messages.setNextAnswer(QMessageBox::No);
    EXPECT_FALSE(m_window->writeRecord(keptConfig, ExchClass::VirtualPortsMember, 2));
    EXPECT_FALSE(m_window->writeRecord(keptConfig, ExchClass::ACLMember, 4));
    EXPECT_TRUE(m_port->written.isEmpty());
    m_messages.setNextAnswer(QMessageBox::Yes);
    EXPECT_TRUE(m_window->writeRecord(writtenConfig, ExchClass::VirtualPortsMember, 2));
    EXPECT_TRUE(m_window->writeRecord(writtenConfig, ExchClass::VirtualPortsMember, 3));
    EXPECT_FALSE(m_port->written.isEmpty());

    const QList<MessageService::Message> shown = m_messages.shownMessages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].title, QStringLiteral("Update Online System"));
    EXPECT_EQ(shown[0].text,
              kept
                  + QStringLiteral(" was not read from the exchange in this session.\n\n"
                                   "Its system: \"Kestrel Marine Offices\"\n"
                                   "The exchange: the exchange on COM4 (not read in this session)\n\n"
                                   "Write the changes of this document to the exchange? "
                                   "The answer holds for this document."));
    EXPECT_EQ(shown[0].defaultButton, QMessageBox::No);
    EXPECT_TRUE(shown[1].text.contains(QStringLiteral("Its system: \"Harbour Office\"\n")));
}

TEST_F(MainWindowTest, SendConfigurationNamesTheDocumentTheExchangeAndTheRecordsAndSendsOnlyOnYes)
{
    const QString site = openSample("site.QBF");
    m_port->written.clear();
    m_messages.setNextAnswer(QMessageBox::No);
    action("mnuSendConfig")->trigger();
    EXPECT_TRUE(m_port->written.isEmpty());
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    const MessageService::Message question = m_messages.shownMessages()[0];
    EXPECT_EQ(question.title, QStringLiteral("Send Configuration"));
    EXPECT_EQ(question.text,
              QStringLiteral("Send ") + site
                  + QStringLiteral(" to the exchange on COM4 (not read in this session)?\n\n"
                                   "The exchange's configuration is replaced by this document's. "
                                   "Records written:\n"
                                   "Class List: 9 records\nSystem: 1 record\nVirtual Ports: 31 records\n"
                                   "ACL: 13 records\nGroups: 8 records\nPort To Virtual: 112 records\n"
                                   "Ext To Virtual: 31 records\nTones: 12 records\n"
                                   "Records the exchange holds where this document has a free slot "
                                   "are cleared."));
    EXPECT_EQ(question.defaultButton, QMessageBox::No);
    m_messages.setNextAnswer(QMessageBox::Yes);
    action("mnuSendConfig")->trigger();
    EXPECT_FALSE(m_port->written.isEmpty());
}

TEST_F(MainWindowTest, TheStatusBarCountsWritesWaitingOrNotConfirmedAndRetrySendsThemAgain)
{
    openSample();
    auto *retry = m_window->findChild<QToolButton *>(QStringLiteral("cmdRetryWrites"));
    m_messages.setNextAnswer(QMessageBox::Yes);
    m_window->writeRecord(activeConfiguration(), ExchClass::VirtualPortsMember, 2);
    EXPECT_EQ(panelText("pnlWrites"), QStringLiteral("1 change waiting for the exchange"));
    m_window->writeRecord(activeConfiguration(), ExchClass::ACLMember, 4);
    EXPECT_FALSE(action("mnuFileRetryWrites")->isEnabled());

    // Nothing answers: the first write is sent four times, then both have failed.
    m_timers.advance(4 * 2500);
    EXPECT_EQ(panelText("pnlWrites"), QStringLiteral("2 changes not confirmed \u2014"));
    EXPECT_FALSE(retry->isHidden());
    EXPECT_TRUE(action("mnuFileRetryWrites")->isEnabled());
    m_port->written.clear();
    retry->click();
    EXPECT_EQ(panelText("pnlWrites"), QStringLiteral("2 changes waiting for the exchange"));
    EXPECT_EQ(m_port->written.size(), 1);
    EXPECT_TRUE(retry->isHidden());
    EXPECT_FALSE(action("mnuFileRetryWrites")->isEnabled());
}

TEST_F(MainWindowTest, AnEchoThatDiffersFromTheWriteIsReportedNamingTheRecord)
{
    openSample();
    queueAnswers(m_messages, QMessageBox::Yes, 2);
    m_window->writeRecord(activeConfiguration(), ExchClass::VirtualPortsMember, 2);
    QByteArray stored = activeConfiguration().VirtualPorts().record(2);
    stored[stored.size() - 1] = char(stored.at(stored.size() - 1) ^ 0x01);
    m_port->receive(ExchangeSimulator::replyFrame(activeConfiguration().VirtualPorts().RequestCode(), 2, stored));
    QCoreApplication::processEvents();
    EXPECT_EQ(messageTexts(m_messages).value(1),
              QStringLiteral("The exchange stored Virtual Ports 2 (Manager) differently from what was sent; the "
                             "change is marked not confirmed. Retry Unconfirmed Writes sends it again; Get "
                             "Configuration shows what the exchange holds."));
    EXPECT_EQ(panelText("pnlWrites"), QStringLiteral("1 change not confirmed \u2014"));
}

TEST_F(MainWindowTest, TheWindowMenuListsTheOpenDocumentsTicksTheActiveOneAndActivatesTheOneClicked)
{
    const QString a = openSample();
    action("mnuWindowNewWindow")->trigger();
    EXPECT_EQ(action("mnuWindowDocument1")->text(), QStringLiteral("&1 ") + a);
    EXPECT_EQ(action("mnuWindowDocument2")->text(), QStringLiteral("&2 Document 2"));
    EXPECT_TRUE(action("mnuWindowDocument2")->isChecked());
    action("mnuWindowDocument1")->trigger();
    EXPECT_EQ(m_window->activeDocument()->caption(), a);
    EXPECT_FALSE(action("mnuWindowDocument2")->isChecked());

    // The status bar names the node on show of the document now active, and nothing once none is.
    DocumentWindow *document = m_window->activeDocument();
    document->tree()->setCurrentItem(document->tree()->topLevelItem(0));
    EXPECT_EQ(panelText("pnlNodeKey"), QStringLiteral("Orvex"));
    action("mnuWindowDocument2")->trigger();
    EXPECT_EQ(panelText("pnlNodeKey"), QString());
    action("mnuWindowDocument1")->trigger();
    EXPECT_EQ(panelText("pnlNodeKey"), QStringLiteral("Orvex"));

    // The document window's own menu must not claim Ctrl+W as well.
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    rename(m_window->activeDocument(), "Edited");
    m_messages.setNextAnswer(QMessageBox::No);
    QTest::keyClick(m_window->activeDocument(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(captions(), QStringList{QStringLiteral("Document 2")});
    action("mnuFileClose")->trigger();
    EXPECT_EQ(panelText("pnlNodeKey"), QString());
}

} // namespace

TEST_F(MainWindowTest, CompareWithTakesAFileUntilTheSiteHasHistoryThenAsksWhichAndTheHistoryOpensOrComparesAnEntry)
{
    QDir(HistoryStore::defaultRoot()).removeRecursively();
    const QString current = openSample();
    const QString broken = m_dir.filePath(QStringLiteral("broken.QBF"));
    ASSERT_TRUE(writeFile(broken, "not a configuration"));
    m_fileDialogs.setNextFileName(broken);
    m_messages.setNextAnswer(QMessageBox::Ok);
    action("mnuFileCompareWith")->trigger();
    EXPECT_EQ(m_fileDialogs.requests().constLast().title, QStringLiteral("Compare With"));
    EXPECT_EQ(messageTexts(m_messages), strings({"Invalid file type - cannot load!"}));
    EXPECT_EQ(m_window->findChild<QWidget *>(QStringLiteral("frmComparison")), nullptr);

    ExchClass older;
    ConfigFile file;
    ASSERT_TRUE(file.load(older, current));
    older.ACL().SetString(FieldNames::Name, 2, "Older Name");
    const QString olderPath = m_dir.filePath(QStringLiteral("older.QBF"));
    ASSERT_TRUE(file.save(older, olderPath));
    m_fileDialogs.setNextFileName(olderPath);
    action("mnuFileCompareWith")->trigger();
    const auto comparisons = [this] { return m_window->findChildren<QWidget *>(QStringLiteral("frmComparison")); };
    ASSERT_EQ(comparisons().size(), 1);
    EXPECT_EQ(comparisons()[0]->windowTitle(), QStringLiteral("Compare %1 with %2").arg(olderPath, current));
    EXPECT_EQ(shownIn(comparisons()[0], "lblSummary"),
              QStringLiteral("1 change in 1 structure from %1 to %2.").arg(olderPath, current));

    HistoryStore history(HistoryStore::defaultRoot(), SystemClock::shared(), 100);
    ASSERT_TRUE(history.add(older, HistoryEntry::Kind::Get));
    const QString kept = QStringLiteral("Kestrel_Marine_Offices, get of ")
        + history.entries().value(0).time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    m_messages.setNextAnswer(QMessageBox::Cancel);
    action("mnuFileCompareWith")->trigger();
    const MessageService::Message asked = m_messages.shownMessages().constLast();
    EXPECT_EQ(asked.text,
              QStringLiteral("Compare %1 with a configuration kept in the history of "
                             "Kestrel_Marine_Offices, or with a file?")
                  .arg(current));
    EXPECT_EQ(asked.buttonTexts,
              (MessageService::ButtonTexts{{QMessageBox::Yes, QStringLiteral("History Entry...")},
                                           {QMessageBox::No, QStringLiteral("File...")}}));
    EXPECT_EQ(m_window->findChild<QWidget *>(QStringLiteral("frmHistory")), nullptr);
    m_messages.setNextAnswer(QMessageBox::No);
    m_fileDialogs.setNextFileName(olderPath);
    action("mnuFileCompareWith")->trigger();
    EXPECT_EQ(comparisons().size(), 2) << "File... compares with a file";

    m_messages.setNextAnswer(QMessageBox::Yes);
    action("mnuFileCompareWith")->trigger();
    auto *historyWindow = m_window->findChild<QWidget *>(QStringLiteral("frmHistory"));
    ASSERT_NE(historyWindow, nullptr);
    EXPECT_TRUE(historyWindow->isVisible());
    EXPECT_EQ(child<QListWidget>(historyWindow, "lstSites")->currentItem()->text(),
              QStringLiteral("Kestrel_Marine_Offices"));
    child<QPushButton>(historyWindow, "cmdCompare")->click();
    ASSERT_EQ(comparisons().size(), 3);
    EXPECT_EQ(comparisons()[2]->windowTitle(), QStringLiteral("Compare %1 with %2").arg(kept, current));

    child<QPushButton>(historyWindow, "cmdOpen")->click();
    EXPECT_EQ(m_window->activeDocument()->caption(), QStringLiteral("Document 2 (%1)").arg(kept));
    EXPECT_EQ(activeConfiguration().ACL().GetString(FieldNames::Name, 2), QByteArray("Older Name"));
    EXPECT_FALSE(m_window->activeDocument()->isModified()) << "saving it must not be asked for";

    action("mnuFileClose")->trigger();
    action("mnuFileClose")->trigger();
    ASSERT_TRUE(m_window->documents().isEmpty());
    m_messages.setNextAnswer(QMessageBox::Ok);
    child<QPushButton>(historyWindow, "cmdCompare")->click();
    EXPECT_EQ(messageTexts(m_messages).constLast(),
              QStringLiteral("There is no configuration open to compare with. Open a file or get the configuration of "
                             "the exchange first."));
    historyWindow->close();
    action("mnuFileHistory")->trigger();
    EXPECT_TRUE(historyWindow->isVisible());
}
