#include "export/widgets/PreviewWindow.h"

#include "core/Registry.h"
#include "export/ConfigurationReport.h"
#include "export/widgets/PrintService.h"
#include "model/ExchClass.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

namespace {
using namespace SettingsKeys;

class PreviewWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SampleConfiguration::build(config);
        printing.printer().setOutputFormat(QPrinter::PdfFormat);
        printing.printer().setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    }

    void TearDown() override { delete window; }

    void open(const ExchClass &configuration)
    {
        delete window;
        window = new PreviewWindow(configuration, QStringLiteral("Document 1"), {registry, printing, messages, fileDialogs});
        window->load();
    }

    template<typename Widget>
    Widget *child(const char *name) const
    {
        Widget *found = window->findChild<Widget *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void click(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    bool enabled(const char *button) const { return child<QPushButton>(button)->isEnabled(); }
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

TEST_F(PreviewWindowTest, ShowsTheDocumentsReportAtTheZoomChosenFromItsList)
{
    open(config);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Preview Bill"));
    EXPECT_EQ(window->objectName(), QStringLiteral("frmPreview"));
    EXPECT_EQ(window->content().heading, QStringLiteral("Configuration for Kestrel Marine Offices"));

    QComboBox *zoom = child<QComboBox>("cboZoom");
    QStringList entries;
    for (int i = 0; i < zoom->count(); ++i)
        entries.append(zoom->itemText(i) + QLatin1Char('=') + zoom->itemData(i).toString());
    EXPECT_EQ(entries.join(QLatin1Char(' ')),
              QStringLiteral("Whole Page=3 Page Width=4 25%=25 50%=50 75%=75 100%=100 150%=150 200%=200 400%=400"));
    EXPECT_EQ(zoom->currentIndex(), 0);
    auto *view = child<QPrintPreviewWidget>("vp");
    EXPECT_EQ(view->zoomMode(), QPrintPreviewWidget::FitInView);
    const std::pair<int, QPrintPreviewWidget::ZoomMode> choices[] = {
        {6, QPrintPreviewWidget::CustomZoom}, {1, QPrintPreviewWidget::FitToWidth}, {0, QPrintPreviewWidget::FitInView}};
    for (const auto &[index, mode] : choices) {
        zoom->setCurrentIndex(index);
        emit zoom->activated(index);
        EXPECT_EQ(view->zoomMode(), mode) << index;
        EXPECT_TRUE(mode != QPrintPreviewWidget::CustomZoom || view->zoomFactor() == 1.5);
    }

    EXPECT_FALSE(window->content().section(QStringLiteral("Access Control Lists"))->rows[1].contains(QStringLiteral("7214")));
    QTest::mouseClick(child<QCheckBox>("chkShowCodes"), Qt::LeftButton);
    EXPECT_TRUE(window->content().section(QStringLiteral("Access Control Lists"))->rows[1].contains(QStringLiteral("7214")));
}

TEST_F(PreviewWindowTest, PageButtonsStepThroughThePagesAndStopAtEitherEnd)
{
    open(config);
    const int pages = window->pageCount();
    ASSERT_GT(pages, 2);
    EXPECT_EQ(window->currentPage(), 1);
    EXPECT_FALSE(enabled("cmdPrevPage"));
    EXPECT_TRUE(enabled("cmdNextPage"));
    click("cmdNextPage");
    EXPECT_EQ(window->currentPage(), 2);
    EXPECT_TRUE(enabled("cmdPrevPage"));
    for (int page = 2; page < pages; ++page)
        click("cmdNextPage");
    EXPECT_EQ(window->currentPage(), pages);
    EXPECT_FALSE(enabled("cmdNextPage"));
    click("cmdPrevPage");
    EXPECT_EQ(window->currentPage(), pages - 1);
    EXPECT_TRUE(enabled("cmdNextPage"));

    const ExchClass empty;
    open(empty);
    EXPECT_EQ(window->pageCount(), 1);
    EXPECT_FALSE(enabled("cmdPrevPage"));
    EXPECT_FALSE(enabled("cmdNextPage"));
    EXPECT_EQ(window->content().heading, QStringLiteral("Configuration for Document 1"));
}

TEST_F(PreviewWindowTest, PrintReportPrintsThePagesWithoutNumbersWhenSetSoAndClosesTheWindow)
{
    SKIP_WITHOUT_PDFTOTEXT();
    registry.SaveSetting(Settings, PrintPageNumbers, Registry::TypeNumber, 0);
    open(config);
    const int pages = window->pageCount();
    click("cmdPrint");
    EXPECT_TRUE(!window || !window->isVisible());
    const QStringList printed = pdfPages(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_EQ(printed.size(), pages);
    EXPECT_TRUE(printed[0].contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
    EXPECT_FALSE(printed.join(QString()).contains(QStringLiteral("Page 1 of")));
    EXPECT_TRUE(messages.shownMessages().isEmpty());
}

TEST_F(PreviewWindowTest, ExportWritesTheReportToTheChosenFileAsAPdf)
{
    open(config);
    fileDialogs.setNextFileName(dir.filePath(QStringLiteral("export")));
    click("cmdExportPdf");
    ASSERT_EQ(fileDialogs.requests().size(), 1);
    EXPECT_EQ(fileDialogs.requests()[0].title, QStringLiteral("Export PDF"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("export.pdf"))));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(PreviewWindowTest, PlacementIsRestoredAndSavedInTheSettings)
{
    registry.SaveSetting(Settings, PreviewHeight, Registry::TypeNumber, 7000);
    open(config);
    window->close();
    EXPECT_EQ(setting(PreviewWindowState), 0);
    EXPECT_GT(setting(PreviewWidth), 0);
    EXPECT_NEAR(setting(PreviewHeight), 7000, 30);

    // A maximised window keeps the last normal placement and comes back maximised.
    registry.SaveSetting(Settings, PreviewHeight, Registry::TypeNumber, 6500);
    open(config);
    window->showMaximized();
    window->close();
    EXPECT_EQ(setting(PreviewWindowState), 2);
    EXPECT_EQ(setting(PreviewHeight), 6500);
    open(config);
    EXPECT_TRUE(window->isMaximized());
}
