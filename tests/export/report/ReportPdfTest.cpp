#include "export/report/ReportPages.h"

#include "export/ConfigurationReport.h"
#include "model/ExchClass.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace {
class ReportPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SampleConfiguration::build(config);
    }

    ReportContent content() const
    {
        return ConfigurationReport::build(config, {QStringLiteral("Document 1"), false, true});
    }
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    ExchClass config;
};
} // namespace

TEST_F(ReportPdf, TheSampleRunsOverSeveralPagesEachNumberedUnlessAskedNotToAndWithTheRunningText)
{
    SKIP_WITHOUT_PDFTOTEXT();
    QString error;
    ASSERT_TRUE(ReportPages::writePdf(content(), true, path("report.pdf"), &error)) << error.toStdString();
    const QStringList pages = pdfPages(path("report.pdf"));
    ASSERT_GT(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
    for (qsizetype i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())))
            << "page " << i + 1;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Quillbridge " QB_VERSION))) << "page " << i + 1;
    }
    // The tables continue where they stopped, headings repeated.
    const QString all = pages.join(QString());
    EXPECT_TRUE(all.contains(QStringLiteral("(continued)")));
    for (const char *text : {"System Parameters", "Tones", "12: 16 - Sales 12 (10 s)"})
        EXPECT_TRUE(all.contains(QLatin1String(text))) << text;
}

TEST_F(ReportPdf, SmallerPagesTakeMorePages)
{
    int pageCounts[2] = {};
    for (const QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::A5}) {
        QPdfWriter writer(path("sized.pdf"));
        writer.setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
        ReportPages pagesOf(content(), true);
        ASSERT_TRUE(pagesOf.print(writer));
        pageCounts[size == QPageSize::A5] = pagesOf.pageCount();
    }
    EXPECT_GT(pageCounts[1], pageCounts[0]);
}

TEST_F(ReportPdf, AFileThatCannotBeWrittenIsReportedAndLeavesNothingBehind)
{
    const QString target = dir.filePath(QStringLiteral("missing/report.pdf"));
    QString error;
    EXPECT_FALSE(ReportPages::writePdf(content(), true, target, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}
