#include "PreviewWindow.h"

#include "ConfigurationReport.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "FileDialogService.h"
#include "MessageService.h"
#include "PrintService.h"
#include "Registry.h"
#include "ReportTestSupport.h"
#include "SampleConfiguration.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
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

    PreviewWindow *open(const ExchClass &configuration)
    {
        window = new PreviewWindow(configuration, QStringLiteral("Document 1"),
                                   {registry, printing, messages, fileDialogs});
        window->load();
        return window;
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

    void chooseZoom(const QString &entry)
    {
        QComboBox *zoom = child<QComboBox>("cboZoom");
        const int index = zoom->findText(entry);
        zoom->setCurrentIndex(index);
        emit zoom->activated(index);
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

TEST_F(PreviewWindowTest, ShowsTheReportOfTheDocumentWithTheZoomList)
{
    open(config);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Preview Bill"));
    EXPECT_EQ(window->objectName(), QStringLiteral("frmPreview"));
    EXPECT_EQ(window->content().heading, QStringLiteral("Configuration for Kestrel Marine Offices"));

    QComboBox *zoom = child<QComboBox>("cboZoom");
    QStringList entries;
    QList<int> values;
    for (int i = 0; i < zoom->count(); ++i) {
        entries.append(zoom->itemText(i));
        values.append(zoom->itemData(i).toInt());
    }
    EXPECT_EQ(entries, QStringList({QStringLiteral("Whole Page"), QStringLiteral("Page Width"), QStringLiteral("25%"),
                                    QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                                    QStringLiteral("150%"), QStringLiteral("200%"), QStringLiteral("400%")}));
    EXPECT_EQ(values, QList<int>({3, 4, 25, 50, 75, 100, 150, 200, 400}));
    EXPECT_EQ(zoom->currentIndex(), 0);

    auto *vp = child<QPrintPreviewWidget>("vp");
    EXPECT_EQ(vp->zoomMode(), QPrintPreviewWidget::FitInView);
    chooseZoom(QStringLiteral("150%"));
    EXPECT_EQ(vp->zoomMode(), QPrintPreviewWidget::CustomZoom);
    EXPECT_DOUBLE_EQ(vp->zoomFactor(), 1.5);
    chooseZoom(QStringLiteral("Page Width"));
    EXPECT_EQ(vp->zoomMode(), QPrintPreviewWidget::FitToWidth);
    chooseZoom(QStringLiteral("Whole Page"));
    EXPECT_EQ(vp->zoomMode(), QPrintPreviewWidget::FitInView);
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
}

TEST_F(PreviewWindowTest, AOnePageReportLeavesBothPageButtonsDisabled)
{
    const ExchClass empty;
    open(empty);
    EXPECT_EQ(window->pageCount(), 1);
    EXPECT_FALSE(enabled("cmdPrevPage"));
    EXPECT_FALSE(enabled("cmdNextPage"));
    EXPECT_EQ(window->content().heading, QStringLiteral("Configuration for Document 1"));
}

TEST_F(PreviewWindowTest, TheBoxShowsPinsAndPassCodesInTheReport)
{
    open(config);
    EXPECT_FALSE(window->content().section(ConfigurationReport::AclTitle)->rows[1].contains(QStringLiteral("7214")));
    QTest::mouseClick(child<QCheckBox>("chkShowCodes"), Qt::LeftButton);
    EXPECT_TRUE(window->content().section(ConfigurationReport::AclTitle)->rows[1].contains(QStringLiteral("7214")));
}

TEST_F(PreviewWindowTest, PrintReportPrintsThePagesAndClosesTheWindow)
{
    SKIP_WITHOUT_PDFTOTEXT();
    open(config);
    const int pages = window->pageCount();
    click("cmdPrint");
    EXPECT_TRUE(!window || !window->isVisible());
    const QStringList printed = pdfPages(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_EQ(printed.size(), pages);
    EXPECT_TRUE(printed[0].contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
    EXPECT_TRUE(printed.last().contains(QStringLiteral("Page %1 of %1").arg(pages)));
    EXPECT_TRUE(messages.shownMessages().isEmpty());
}

TEST_F(PreviewWindowTest, WithPrintPageNumbersZeroThePrintHasNoPageNumbers)
{
    SKIP_WITHOUT_PDFTOTEXT();
    registry.SaveSetting(Settings, PrintPageNumbers, Registry::TypeNumber, 0);
    open(config);
    click("cmdPrint");
    const QStringList printed = pdfPages(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_FALSE(printed[0].contains(QStringLiteral("Page 1 of")));
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
    const int height = setting(PreviewHeight);
    EXPECT_NEAR(height, 7000, 30);

    // A maximised window keeps the last normal placement and comes back maximised.
    registry.SaveSetting(Settings, PreviewHeight, Registry::TypeNumber, 6500);
    delete window;
    open(config);
    window->showMaximized();
    window->close();
    EXPECT_EQ(setting(PreviewWindowState), 2);
    EXPECT_EQ(setting(PreviewHeight), 6500);
    delete window;
    open(config);
    EXPECT_TRUE(window->isMaximized());
}

} // namespace
