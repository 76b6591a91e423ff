#include "support/gui/MainWindowFixture.h"

#include "export/widgets/PreviewWindow.h"
#include "export/widgets/PrintService.h"
#include "support/TestSupport.h"
#include "support/TreeSearch.h"

#include <QApplication>
#include <QMenu>
#include <QPrinter>
#include <QTimer>
#include <QTreeWidget>

namespace {
class MainWindowReport : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        openThroughDialog(sampleCopy(QStringLiteral("kestrel.QBF")));
    }

    void printTo(const QString &path, bool accepted)
    {
        QPrinter &printer = m_window->printService().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        m_window->printService().setNextAnswer(accepted);
    }

    void select(const QString &key)
    {
        QTreeWidget *tree = m_window->activeDocument()->tree();
        QTreeWidgetItem *node = findTreeNode(tree, key);
        ASSERT_NE(node, nullptr) << key.toStdString();
        tree->setCurrentItem(node);
    }
};
} // namespace

using MainWindowReportItems = MainWindowFixture;

TEST_F(MainWindowReportItems, WorkOnTheActiveDocumentAndExportPdfFollowsPrint)
{
    const char *documentItems[] = {"mnuFilePrintPreview", "mnuFilePrint", "mnuFileExportPdf", "Print"};
    for (const char *name : documentItems)
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    EXPECT_TRUE(action("mnuFilePrintSetup")->isEnabled());
    openThroughDialog(sampleCopy(QStringLiteral("kestrel.QBF")));
    for (const char *name : documentItems)
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    const QList<QAction *> items = m_window->findChild<QMenu *>(QStringLiteral("mnuFile"))->actions();
    EXPECT_EQ(items.value(items.indexOf(action("mnuFilePrint")) + 1), action("mnuFileExportPdf"));
    EXPECT_EQ(action("mnuFileExportPdf")->text(), QStringLiteral("Export PDF..."));
}

TEST_F(MainWindowReport, ExportPdfWritesTheActiveDocumentsReport)
{
    SKIP_WITHOUT_PDFTOTEXT();
    const QString target = m_dir.filePath(QStringLiteral("kestrel.pdf"));
    m_fileDialogs.setNextFileName(target);
    action("mnuFileExportPdf")->trigger();
    const QStringList pages = pdfPages(target);
    ASSERT_GT(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
}

TEST_F(MainWindowReport, PrintAsksThePrintDialogPrintsOnlyWhenAcceptedAndSaysSoWithoutAPrinter)
{
    const QString printed = m_dir.filePath(QStringLiteral("printed.pdf"));
    printTo(printed, false);
    action("Print")->trigger();
    EXPECT_FALSE(QFile::exists(printed));
    printTo(printed, true);
    action("mnuFilePrint")->trigger();
    EXPECT_TRUE(QFile::exists(printed));
    m_window->printService().setNextAnswer(true);
    action("mnuFilePrintSetup")->trigger();
    using Dialog = PrintService::Dialog;
    EXPECT_EQ(m_window->printService().requests(), QList<Dialog>({Dialog::Print, Dialog::Print, Dialog::Setup}));
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());

    printTo(m_dir.filePath(QStringLiteral("missing/printed.pdf")), true);
    m_messages.setNextAnswer(QMessageBox::Ok);
    action("mnuFilePrint")->trigger();
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    EXPECT_TRUE(m_messages.shownMessages()[0].text.contains(QStringLiteral("could not be printed")));
}

TEST_F(MainWindowReport, PrintPreviewOpensTheReportWindowOnTheActiveDocument)
{
    action("mnuFilePrintPreview")->trigger();
    PreviewWindow *preview = m_window->previewWindow();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->content().heading, QStringLiteral("Configuration for Kestrel Marine Offices"));
    preview->close();
    EXPECT_TRUE(runEventsUntil([this] { return m_window->previewWindow() == nullptr; }));
}

TEST_F(MainWindowReport, CopyRecordOpensTheAclGeneratorModallyOnAnAclAndTheCopyOfAPortOnAPort)
{
    // The generator runs its own event loop; this closes it from inside.
    QStringList modalTitles;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            modalTitles.append(dialog->windowTitle());
            dialog->close();
        }
    });
    closer.start();
    select(QStringLiteral("ACR4"));
    action("CopyRec")->trigger();
    EXPECT_EQ(modalTitles, QStringList{QStringLiteral("Copy ACLs")});
    select(QStringLiteral("VPR3"));
    action("CopyRec")->trigger();
    EXPECT_EQ(modalTitles.count(QStringLiteral("Copy ACLs")), 1);
    EXPECT_EQ(modalTitles.last(), QStringLiteral("Copy Virtual Port"));
}
