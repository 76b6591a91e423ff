#include "cli/CommandLineTool.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

TEST(ReportCommand, WritesTheReportOfAConfigurationFileAsAPdfWithCodesMasked)
{
    SKIP_WITHOUT_PDFTOTEXT();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("sample.pdf"));
    const Outcome run =
        runCli({QStringLiteral("report"), QStringLiteral("--pdf"), target, QStringLiteral("--tones"), samplePath()});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QStringList pages = pdfPages(target);
    ASSERT_GT(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
    EXPECT_TRUE(pages.join(QString()).contains(QStringLiteral("WARMLNE")));
    for (const char *code : {"7214", "5947", "3141"})
        EXPECT_FALSE(pages.join(QString()).contains(QLatin1String(code))) << code;
}

TEST(ReportCommand, NeedsAnOutputFileAndAGuiApplication)
{
    const Outcome run = runInProcess<CommandLineTool>({QStringLiteral("report"), samplePath()});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--pdf")));
    EXPECT_TRUE(CommandLineTool::needsGuiApplication({QStringLiteral("--verbose"), QStringLiteral("report")}));
    EXPECT_FALSE(CommandLineTool::needsGuiApplication({QStringLiteral("dump"), QStringLiteral("report")}));
    EXPECT_FALSE(CommandLineTool::needsGuiApplication({}));
}
