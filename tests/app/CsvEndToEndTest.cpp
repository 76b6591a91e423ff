#include "support/gui/PtyMainWindowFixture.h"

#include "editor/widgets/DocumentWindow.h"
#include "model/FieldNames.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace {
class CsvEndToEnd : public PtyMainWindowFixture
{
protected:
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
};
} // namespace

TEST_F(CsvEndToEnd, AnEditedExportImportsAsOneUndoableStepWrittenOnlineWhileABadRowChangesNothing)
{
    DocumentWindow *document = readExchange("mnuGetConfig");
    ASSERT_NE(document, nullptr);
    ExchClass &config = m_window->configuration(document->ExNum());
    EXPECT_TRUE(run("mnuFileExportCsv", path("acl.csv")).isEmpty());
    QByteArray table = fileContent(path("acl.csv"));
    EXPECT_TRUE(table.startsWith("record,used,Name,Flag,PublicID,PassCode,PriorityLevel,RingType,Rights,ClassAccess,"
                                 "SetAccess\r\n0,yes,Default,0,1000,0000,0,0,,General,\r\n"));

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
    const QByteArray before = config.ACL().record(3);
    ASSERT_TRUE(
        writeFile(path("bad.csv"), "record,PublicID,Name\r\n3,12X4,Reception\r\n4,1234,Far too long a name\r\n"));
    m_messages.setNextAnswer(QMessageBox::Ok);
    const QList<MessageService::Message> refused = run("mnuFileImportCsv", path("bad.csv"));
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0].text,
              QStringLiteral("bad.csv cannot be imported into ACL: nothing was changed.\n\n"
                             "line 2, column PublicID: must be at most 6 dial digits (0-9, * and #), not \"12X4\"\n"
                             "line 3, column Name: must be at most 15 characters, not 19"));
    EXPECT_EQ(config.ACL().record(3), before);
}
