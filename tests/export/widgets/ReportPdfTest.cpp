#include "ReportPages.h"

#include "ConfigurationReport.h"
#include "ExchClass.h"
#include "ReportTestSupport.h"
#include "SampleConfiguration.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

class ReportPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SampleConfiguration::build(config);
    }

    ReportContent content(bool showCodes = false) const
    {
        return ConfigurationReport::build(config, {QStringLiteral("Document 1"), showCodes, true});
    }

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    ExchClass config;
};

TEST_F(ReportPdf, TheSampleReportRunsOverSeveralPagesEachNumberedAndWithTheRunningText)
{
    SKIP_WITHOUT_PDFTOTEXT();
    QString error;
    ASSERT_TRUE(ReportPages::writePdf(content(), true, path("report.pdf"), &error)) << error.toStdString();
    const QStringList pages = pdfPages(path("report.pdf"));
    ASSERT_GT(pages.size(), 1);

    EXPECT_TRUE(pages[0].contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString number = QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size());
        EXPECT_TRUE(pages[i].contains(number)) << "page " << i + 1;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Quillbridge " QB_VERSION))) << "page " << i + 1;
    }
    // The tables continue where they stopped, headings repeated.
    const QString all = pages.join(QString());
    EXPECT_TRUE(all.contains(QStringLiteral("(continued)")));
    for (const char *text : {"System Parameters", "Class Names", "Access Control Lists", "Virtual Ports", "Groups",
                             "Dialled Numbers To Virtual Ports", "Physical Ports", "Tones", "814421", "Ext 24",
                             "12: 16 - Sales 12 (10 s)"}) {
        EXPECT_TRUE(all.contains(QLatin1String(text))) << text;
    }
}

TEST_F(ReportPdf, PinsAndPassCodesAppearOnlyWhenShown)
{
    SKIP_WITHOUT_PDFTOTEXT();
    ASSERT_TRUE(ReportPages::writePdf(content(), true, path("masked.pdf"), nullptr));
    ASSERT_TRUE(ReportPages::writePdf(content(true), true, path("shown.pdf"), nullptr));
    const QString masked = pdfPages(path("masked.pdf")).join(QString());
    const QString shown = pdfPages(path("shown.pdf")).join(QString());
    for (const char *code : {"7214", "5947", "3141"}) {
        EXPECT_FALSE(masked.contains(QLatin1String(code))) << code;
        EXPECT_TRUE(shown.contains(QLatin1String(code))) << code;
    }
    EXPECT_TRUE(masked.contains(ConfigurationReport::MaskedCode));
}

TEST_F(ReportPdf, PageNumbersCanBeLeftOff)
{
    SKIP_WITHOUT_PDFTOTEXT();
    ASSERT_TRUE(ReportPages::writePdf(content(), false, path("plain.pdf"), nullptr));
    const QStringList pages = pdfPages(path("plain.pdf"));
    ASSERT_FALSE(pages.isEmpty());
    for (const QString &page : pages)
        EXPECT_FALSE(page.contains(QStringLiteral("Page "))) << page.left(200).toStdString();
}

TEST_F(ReportPdf, AnEmptyConfigurationFitsOnePage)
{
    SKIP_WITHOUT_PDFTOTEXT();
    const ExchClass empty;
    ASSERT_TRUE(ReportPages::writePdf(ConfigurationReport::build(empty, {QStringLiteral("Document 4"), false, false}),
                                      true, path("empty.pdf"), nullptr));
    const QStringList pages = pdfPages(path("empty.pdf"));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Configuration for Document 4")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page 1 of 1")));
}

TEST_F(ReportPdf, SmallerPagesTakeMorePages)
{
    QPdfWriter a4(path("a4.pdf"));
    a4.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    ReportPages onA4(content(), true);
    ASSERT_TRUE(onA4.print(a4));

    QPdfWriter a5(path("a5.pdf"));
    a5.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF()));
    ReportPages onA5(content(), true);
    ASSERT_TRUE(onA5.print(a5));
    EXPECT_GT(onA5.pageCount(), onA4.pageCount());
}

TEST_F(ReportPdf, AFileThatCannotBeWrittenIsReportedAndLeavesNothingBehind)
{
    const QString target = dir.filePath(QStringLiteral("missing/report.pdf"));
    QString error;
    EXPECT_FALSE(ReportPages::writePdf(content(), true, target, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
