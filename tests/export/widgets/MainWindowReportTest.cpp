#include "MainWindowFixture.h"

#include "PreviewWindow.h"
#include "PrintService.h"
#include "ReportTestSupport.h"
#include "TestSupport.h"
#include "TreeSearch.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {

class MainWindowReport : public MainWindowFixture
{
protected:
    void openSample() { openThroughDialog(sampleCopy(QStringLiteral("kestrel.QBF"))); }

    QString printedPath() const { return m_dir.filePath(QStringLiteral("printed.pdf")); }

    void aimPrinterAtFile()
    {
        QPrinter &printer = m_window->printService().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printedPath());
    }
};

TEST_F(MainWindowReport, PrintItemsWorkOnTheActiveDocumentAndExportPdfFollowsPrint)
{
    const char *documentItems[] = {"mnuFilePrintPreview", "mnuFilePrint", "mnuFileExportPdf", "Print"};
    for (const char *name : documentItems)
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    EXPECT_TRUE(action("mnuFilePrintSetup")->isEnabled());

    openSample();
    for (const char *name : documentItems)
        EXPECT_TRUE(action(name)->isEnabled()) << name;

    const QList<QAction *> items = m_window->findChild<QMenu *>(QStringLiteral("mnuFile"))->actions();
    const qsizetype print = items.indexOf(action("mnuFilePrint"));
    ASSERT_GE(print, 0);
    EXPECT_EQ(items.value(print + 1), action("mnuFileExportPdf"));
    EXPECT_EQ(action("mnuFileExportPdf")->text(), QStringLiteral("Export PDF..."));
}

TEST_F(MainWindowReport, ExportPdfWritesTheActiveDocumentsReport)
{
    SKIP_WITHOUT_PDFTOTEXT();
    openSample();
    const QString target = m_dir.filePath(QStringLiteral("kestrel.pdf"));
    m_fileDialogs.setNextFileName(target);
    action("mnuFileExportPdf")->trigger();
    const QStringList pages = pdfPages(target);
    ASSERT_GT(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
    EXPECT_FALSE(pages.join(QString()).contains(QStringLiteral("7214")));
}

TEST_F(MainWindowReport, PrintAsksThePrintDialogAndPrintsOnlyWhenAccepted)
{
    openSample();
    aimPrinterAtFile();
    m_window->printService().setNextAnswer(false);
    action("Print")->trigger();
    EXPECT_FALSE(QFile::exists(printedPath()));

    m_window->printService().setNextAnswer(true);
    action("mnuFilePrint")->trigger();
    EXPECT_TRUE(QFile::exists(printedPath()));

    m_window->printService().setNextAnswer(true);
    action("mnuFilePrintSetup")->trigger();
    using Dialog = PrintService::Dialog;
    EXPECT_EQ(m_window->printService().requests(), QList<Dialog>({Dialog::Print, Dialog::Print, Dialog::Setup}));
    EXPECT_TRUE(m_messages.shownMessages().isEmpty());
}

TEST_F(MainWindowReport, PrintWithoutAPrinterSaysSo)
{
    openSample();
    QPrinter &printer = m_window->printService().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath(QStringLiteral("missing/printed.pdf")));
    m_window->printService().setNextAnswer(true);
    m_messages.setNextAnswer(QMessageBox::Ok);
    action("mnuFilePrint")->trigger();
    ASSERT_EQ(m_messages.shownMessages().size(), 1);
    EXPECT_TRUE(m_messages.shownMessages()[0].text.contains(QStringLiteral("could not be printed")));
}

TEST_F(MainWindowReport, PrintPreviewOpensTheReportWindowOnTheActiveDocument)
{
    openSample();
    action("mnuFilePrintPreview")->trigger();
    PreviewWindow *preview = m_window->previewWindow();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->content().heading, QStringLiteral("Configuration for Kestrel Marine Offices"));
    preview->close();
    EXPECT_TRUE(runEventsUntil([this] { return m_window->previewWindow() == nullptr; }));
}

TEST_F(MainWindowReport, CopyRecordOnAnAclOpensTheGeneratorModally)
{
    openSample();
    DocumentWindow *document = m_window->activeDocument();
    QTreeWidget *tree = document->tree();
    QTreeWidgetItem *acl = findTreeNode(tree, QStringLiteral("ACR4"));
    ASSERT_NE(acl, nullptr);
    tree->setCurrentItem(acl);
    ASSERT_TRUE(document->isPanelVisible(DocumentWindow::Panel::ACL));

    // The generator runs its own event loop; this closes it from inside.
    QString title;
    bool modal = false;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        title = dialog->windowTitle();
        modal = dialog->isModal();
        closer.stop();
        dialog->close();
    });
    closer.start();
    action("CopyRec")->trigger();
    closer.stop();
    EXPECT_EQ(title, QStringLiteral("Copy ACLs"));
    EXPECT_TRUE(modal);
}

} // namespace
