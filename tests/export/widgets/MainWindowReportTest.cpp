#include "support/gui/MainWindowFixture.h"

#include "export/widgets/PreviewWindow.h"
#include "export/widgets/PrintService.h"
#include "support/TreeSearch.h"

#include <QApplication>
#include <QPrinter>
#include <QTimer>

namespace {
// The main window with the sample open, printing into PDF files.
class MainWindowReport : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        openSample("kestrel.QBF");
    }

    void printTo(const QString &path, bool accepted)
    {
        QPrinter &printer = m_window->printService().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        m_window->printService().setNextAnswer(accepted);
    }
};
} // namespace

TEST_F(MainWindowReport, PreviewAndExportPdfWorkOnTheActiveDocumentsReport)
{
    action("mnuFilePrintPreview")->trigger();
    PreviewWindow *preview = m_window->previewWindow();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->content().heading, QStringLiteral("Configuration for Kestrel Marine Offices"));
    preview->close();
    EXPECT_TRUE(runEventsUntil([this] { return m_window->previewWindow() == nullptr; }));

    SKIP_WITHOUT_PDFTOTEXT();
    const QString target = m_dir.filePath(QStringLiteral("kestrel.pdf"));
    m_fileDialogs.setNextFileName(target);
    action("mnuFileExportPdf")->trigger();
    EXPECT_TRUE(pdfPages(target).value(0).contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
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

    printTo(m_dir.filePath(QStringLiteral("missing/printed.pdf")), true);
    m_messages.setNextAnswer(QMessageBox::Ok);
    action("mnuFilePrint")->trigger();
    EXPECT_TRUE(m_messages.shownMessages().value(0).text.contains(QStringLiteral("could not be printed")));
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
    QTreeWidget *tree = m_window->activeDocument()->tree();
    tree->setCurrentItem(findTreeNode(tree, QStringLiteral("ACR4")));
    action("CopyRec")->trigger();
    EXPECT_EQ(modalTitles, QStringList{QStringLiteral("Copy ACLs")});
    tree->setCurrentItem(findTreeNode(tree, QStringLiteral("VPR3")));
    action("CopyRec")->trigger();
    EXPECT_EQ(modalTitles.count(QStringLiteral("Copy ACLs")), 1);
    EXPECT_EQ(modalTitles.last(), QStringLiteral("Copy Virtual Port"));
}
