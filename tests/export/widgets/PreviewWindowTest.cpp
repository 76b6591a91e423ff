#include "export/widgets/PreviewWindow.h"

#include "core/Registry.h"
#include "export/ConfigurationReport.h"
#include "export/widgets/PrintService.h"
#include "model/ExchClass.h"
#include "shell/FileDialogService.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/gui/GuiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

namespace {
using namespace SettingsKeys;

// The preview of the sample, printing into a PDF file.
class PreviewWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SampleConfiguration::build(config);
        printing.printer().setOutputFormat(QPrinter::PdfFormat);
        printing.printer().setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
        open(config);
    }
    void TearDown() override { delete window; }

    void open(const ExchClass &configuration)
    {
        delete window;
        window =
            new PreviewWindow(configuration, QStringLiteral("Document 1"), {registry, printing, messages, fileDialogs});
        window->load();
    }
    void click(const char *button) { QTest::mouseClick(child<QPushButton>(window.data(), button), Qt::LeftButton); }
    // Whether the previous and next page buttons are enabled, and the page on show.
    QString pageButtons() const
    {
        return QStringLiteral("%1 %2 %3")
            .arg(child<QPushButton>(window.data(), "cmdPrevPage")->isEnabled())
            .arg(child<QPushButton>(window.data(), "cmdNextPage")->isEnabled())
            .arg(window->currentPage());
    }
    int setting(const QString &name) const { return registry.GetNumber(Settings, name, -1); }

    QTemporaryDir dir;
    Registry registry{dir.filePath(QStringLiteral("settings.ini"))};
    PrintService printing;
    MessageService messages;
    FileDialogService fileDialogs;
    ExchClass config;
    QPointer<PreviewWindow> window;
};
} // namespace

TEST_F(PreviewWindowTest, ShowsTheDocumentsReportAtTheZoomChosenFromItsListWithCodesWhenTicked)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Preview Bill"));
    QComboBox *zoom = child<QComboBox>(window.data(), "cboZoom");
    auto *view = child<QPrintPreviewWidget>(window.data(), "vp");
    EXPECT_EQ(view->zoomMode(), QPrintPreviewWidget::FitInView);
    const std::pair<int, QPrintPreviewWidget::ZoomMode> choices[] = {{6, QPrintPreviewWidget::CustomZoom},
                                                                     {1, QPrintPreviewWidget::FitToWidth},
                                                                     {0, QPrintPreviewWidget::FitInView}};
    for (const auto &[index, mode] : choices) {
        zoom->setCurrentIndex(index);
        emit zoom->activated(index);
        EXPECT_EQ(view->zoomMode(), mode) << index;
        EXPECT_TRUE(mode != QPrintPreviewWidget::CustomZoom || view->zoomFactor() == 1.5);
    }

    const auto aclRow = [this] { return window->content().section(QStringLiteral("Access Control Lists"))->rows[1]; };
    EXPECT_FALSE(aclRow().contains(QStringLiteral("7214")));
    QTest::mouseClick(child<QCheckBox>(window.data(), "chkShowCodes"), Qt::LeftButton);
    EXPECT_TRUE(aclRow().contains(QStringLiteral("7214")));
}

TEST_F(PreviewWindowTest, PageButtonsStepThroughThePagesAndStopAtEitherEnd)
{
    const int pages = window->pageCount();
    EXPECT_EQ(pageButtons(), QStringLiteral("0 1 1"));
    click("cmdNextPage");
    EXPECT_EQ(pageButtons(), QStringLiteral("1 1 2"));
    for (int page = 2; page < pages; ++page)
        click("cmdNextPage");
    EXPECT_EQ(pageButtons(), QStringLiteral("1 0 %1").arg(pages));
    click("cmdPrevPage");
    EXPECT_EQ(pageButtons(), QStringLiteral("1 1 %1").arg(pages - 1));

    const ExchClass empty;
    open(empty);
    EXPECT_EQ(pageButtons(), QStringLiteral("0 0 1"));
    EXPECT_EQ(window->content().heading, QStringLiteral("Configuration for Document 1"));
}

TEST_F(PreviewWindowTest, PrintReportPrintsThePagesWithoutNumbersWhenSetSoAndClosesTheWindowOnlyOnceItPrinted)
{
    registry.SaveSetting(Settings, PrintPageNumbers, Registry::TypeNumber, 0);
    open(config);
    window->show();
    const QString target = printing.printer().outputFileName();
    printing.printer().setOutputFileName(dir.filePath(QStringLiteral("missing/printed.pdf")));
    queueAnswers(messages, QMessageBox::Ok);
    click("cmdPrint");
    EXPECT_EQ(messageTexts(messages), strings({"The report could not be printed: no printer took it."}));
    ASSERT_TRUE(window && window->isVisible());

    printing.printer().setOutputFileName(target);
    const int pages = window->pageCount();
    click("cmdPrint");
    EXPECT_TRUE(!window || !window->isVisible());
    SKIP_WITHOUT_PDFTOTEXT();
    const QStringList printed = pdfPages(target);
    ASSERT_EQ(printed.size(), pages);
    EXPECT_FALSE(printed.join(QString()).contains(QStringLiteral("Page 1 of")));
    EXPECT_EQ(messages.shownMessages().size(), 1);
}

TEST_F(PreviewWindowTest, ExportWritesTheReportToTheChosenFileAsAPdf)
{
    fileDialogs.setNextFileName(dir.filePath(QStringLiteral("export")));
    click("cmdExportPdf");
    EXPECT_EQ(fileDialogs.requests().value(0).title, QStringLiteral("Export PDF"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("export.pdf"))));
}

// The placement's own rules are the main window's; here, that the preview keeps its own settings.
TEST_F(PreviewWindowTest, PlacementIsRestoredAndSavedUnderThePreviewsSettings)
{
    registry.SaveSetting(Settings, PreviewHeight, Registry::TypeNumber, 7000);
    open(config);
    window->close();
    EXPECT_EQ(setting(PreviewWindowState), 0);
    EXPECT_NEAR(setting(PreviewHeight), 7000, 30);
    open(config);
    window->showMaximized();
    window->close();
    EXPECT_EQ(setting(PreviewWindowState), 2);
}
