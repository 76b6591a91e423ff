#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <sys/stat.h>

TEST(CheckCommand, AcceptsTheSampleWithOneSummaryLine)
{
    const Outcome run = runCli({QStringLiteral("check"), samplePath()});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, samplePath() + QStringLiteral(": 9 structures, 269 records\n"));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(CheckCommand, RejectsDamagedForeignMissingAndSpecialFilesAtOnceWithOneLineNamingThem)
{
    QTemporaryDir dir;
    const QByteArray sample = fileContent(samplePath());
    const QString truncated = dir.filePath(QStringLiteral("truncated.QBF"));
    const QString foreign = dir.filePath(QStringLiteral("foreign.QBF"));
    const QString fifo = dir.filePath(QStringLiteral("pipe.QBF"));
    const QString absent = dir.filePath(QStringLiteral("absent.QBF"));
    ASSERT_TRUE(writeFile(truncated, sample.left(sample.size() / 2)));
    ASSERT_TRUE(writeFile(foreign, QByteArray(sample).replace(2, 7, "QUILBRG")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QString, QString> cases[] = {
        {truncated, QStringLiteral("The configuration file \"%1\" is damaged and was not loaded: ").arg(truncated)},
        {foreign, QStringLiteral("%1: Invalid file type - cannot load!").arg(foreign)},
        {absent, QStringLiteral("Cannot open \"%1\": No such file or directory").arg(absent)},
        {fifo, QStringLiteral("Cannot open \"%1\": Not a regular file (a named pipe)").arg(fifo)},
        {dir.path(), QStringLiteral("Cannot open \"%1\": Is a directory").arg(dir.path())},
    };
    for (const auto &[path, message] : cases) {
        const Outcome run = runCli({QStringLiteral("check"), path});
        EXPECT_EQ(run.code, 1) << path.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith(message)) << run.err.toStdString();
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
    }
}

TEST(CommandLineTool, ExitsTwoWithAUsageLineForMissingArgumentsAndUnknownCommandsAndHelpsOtherwise)
{
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("check")}, QStringList{}, QStringList{QStringLiteral("frobnicate"), samplePath()},
          QStringList{QStringLiteral("--colour"), QStringLiteral("check"), samplePath()}}) {
        const Outcome run = runCli(arguments);
        EXPECT_EQ(run.code, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: quillbridge-cli"))) << run.err.toStdString();
    }

    const Outcome help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    for (const char *command : {"  check FILE.QBF", "  dump [--json]", "  convert FILE.QBF --out FILE.VRS\n"})
        EXPECT_TRUE(help.out.contains(QLatin1String(command))) << command;
    const Outcome version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, QStringLiteral("quillbridge-cli " QB_VERSION "\n"));
    const Outcome commandHelp = runCli({QStringLiteral("dump"), QStringLiteral("--help")});
    EXPECT_EQ(commandHelp.code, 0);
    EXPECT_TRUE(commandHelp.out.startsWith(QStringLiteral("usage: quillbridge-cli dump [--json] FILE.QBF\n")));
}

TEST(CommandLineTool, ModelDiagnosticsReachStandardErrorOnlyWithVerbose)
{
    ExchClass config;
    config.VirtualPorts().BuildStructure(definitionPacket(1, "VIRTPORTS", 1, {{"Name", 4, 1, 8}, {"Spare", 2, 2, 0}}));
    config.VirtualPorts().PutData(replyPacket(10, 0, bytes("41 00")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("short-record.QBF"));
    ASSERT_TRUE(ConfigFile().save(config, path));

    const Outcome quiet = runCli({QStringLiteral("dump"), path});
    EXPECT_EQ(quiet.code, 0);
    EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.toStdString();
    const Outcome verbose = runCli({QStringLiteral("dump"), QStringLiteral("--verbose"), path});
    EXPECT_EQ(verbose.code, 0);
    EXPECT_TRUE(verbose.err.contains(QStringLiteral("RecordClass.GetString: Start Posn"))) << verbose.err.toStdString();
    EXPECT_EQ(verbose.out, quiet.out);
}
