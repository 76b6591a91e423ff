#include "CliRun.h"
#include "CommandLineTool.h"

#include "ReportTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
const QString SamplePath = QStringLiteral(QB_DATA_DIR "/sample.QBF");

Outcome runTool(const QStringList &arguments)
{
    return runInProcess<CommandLineTool>(arguments);
}

TEST(ReportCommand, WritesTheReportOfAConfigurationFileAsAPdf)
{
    SKIP_WITHOUT_PDFTOTEXT();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("sample.pdf"));
    const Outcome run = runTool({QStringLiteral("report"), QStringLiteral("--pdf"), target, QStringLiteral("--tones"),
                                 SamplePath});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QStringList pages = pdfPages(target);
    ASSERT_GT(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Configuration for Kestrel Marine Offices")));
    EXPECT_TRUE(pages.join(QString()).contains(QStringLiteral("WARMLNE")));
    EXPECT_FALSE(pages.join(QString()).contains(QStringLiteral("7214")));
}

TEST(ReportCommand, NeedsAnOutputFileAndAGuiApplication)
{
    const Outcome run = runTool({QStringLiteral("report"), SamplePath});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--pdf")));

    EXPECT_TRUE(CommandLineTool::needsGuiApplication({QStringLiteral("--verbose"), QStringLiteral("report")}));
    EXPECT_FALSE(CommandLineTool::needsGuiApplication({QStringLiteral("dump"), QStringLiteral("report")}));
    EXPECT_FALSE(CommandLineTool::needsGuiApplication({}));
}

} // namespace
