#include "cli/CommandLineTool.h"
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

TEST(CheckCommand, RejectsDamagedMissingAndSpecialFilesAtOnceWithOneLineNamingThem)
{
    QTemporaryDir dir;
    const QByteArray sample = fileContent(samplePath());
    const QString truncated = dir.filePath(QStringLiteral("truncated.QBF"));
    const QString fifo = dir.filePath(QStringLiteral("pipe.QBF"));
    const QString absent = dir.filePath(QStringLiteral("absent.QBF"));
    ASSERT_TRUE(writeFile(truncated, sample.left(sample.size() / 2)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QString, QString> cases[] = {
        {truncated, QStringLiteral("The configuration file \"%1\" is damaged and was not loaded: ").arg(truncated)},
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

TEST(CommandLineTool, WrongArgumentsExitTwoWithTheReasonThenTheCommandsUsageLine)
{
    const char *tool = "quillbridge-cli [--verbose] <command> [arguments]  (see quillbridge-cli --help)";
    const char *dump = "quillbridge-cli dump [--json] FILE.QBF";
    const char *validate = "quillbridge-cli validate [--json] FILE.QBF";
    const char *get =
        "quillbridge-cli get --port PORT --out FILE.QBF [--speed 38400] [--timeout SECONDS] [--no-history]";
    const char *exportCsv = "quillbridge-cli export-csv FILE.QBF --structure MEMBER [--out FILE.csv] [--used-only]";
    const char *const cases[][3] = {
        {"", "quillbridge-cli: missing command", tool},
        {"frobnicate SITE", "quillbridge-cli: unknown command \"frobnicate\"", tool},
        {"--colour check SITE", "quillbridge-cli: unknown option \"--colour\"", tool},
        {"check", "quillbridge-cli check: missing FILE.QBF", "quillbridge-cli check FILE.QBF"},
        {"dump", "quillbridge-cli dump: missing FILE.QBF", dump},
        {"dump --xml SITE", "quillbridge-cli dump: unknown option \"--xml\"", dump},
        {"dump SITE SITE", "quillbridge-cli dump: unexpected argument \"SITE\"", dump},
        {"convert SITE", "quillbridge-cli convert: missing --out FILE.VRS",
         "quillbridge-cli convert FILE.QBF --out FILE.VRS"},
        {"validate /nonexistent/a.QBF", "Cannot open \"/nonexistent/a.QBF\": No such file or directory", validate},
        {"get --port 3 --out x.QBF --timeout 0",
         "quillbridge-cli get: --timeout needs a whole number from 1 to 86400, not \"0\"", get},
        {"get --port 3 --out x.QBF --timeout 86401",
         "quillbridge-cli get: --timeout needs a whole number from 1 to 86400, not \"86401\"", get},
        {"get --port 3 --out x.QBF --timeout 2147484",
         "quillbridge-cli get: --timeout needs a whole number from 1 to 86400, not \"2147484\"", get},
        {"get --port 3 --out x.QBF --speed fast",
         "quillbridge-cli get: --speed needs a whole number of at least 1, not \"fast\"", get},
        {"get --port 3 --out x.QBF --speed 1000",
         "quillbridge-cli get: --speed needs one of 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, not \"1000\"",
         get},
        {"get --port 0 --out x.QBF",
         "quillbridge-cli get: --port needs a port number from 1 to 16 or a device path, not \"0\"", get},
        {"get --port 17 --out x.QBF",
         "quillbridge-cli get: --port needs a port number from 1 to 16 or a device path, not \"17\"", get},
        {"export-csv SITE", "quillbridge-cli export-csv: missing --structure MEMBER", exportCsv},
        {"export-csv SITE --structure Phones",
         "quillbridge-cli export-csv: unknown structure \"Phones\"; the structures are ClassList, ACL, VirtualPorts, "
         "System, Groups, Rights, PortToVirtual, ExtToVirtual, Tones",
         exportCsv},
        {"export-csv SITE --structure ACL --out SITE",
         "quillbridge-cli export-csv: --out must name another file than FILE.QBF", exportCsv},
        {"import-csv SITE --structure ACL", "quillbridge-cli import-csv: missing --in FILE.csv",
         "quillbridge-cli import-csv FILE.QBF --structure MEMBER --in FILE.csv [--out NEW.QBF] [--dry-run]"},
    };
    for (const auto &[arguments, reason, usage] : cases) {
        SCOPED_TRACE(arguments);
        QStringList list = QString::fromLatin1(arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const Outcome run = runInProcess<CommandLineTool>(list.replaceInStrings(QStringLiteral("SITE"), samplePath()));
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err,
                  QString::fromLatin1(reason).replace(QStringLiteral("SITE"), samplePath())
                      + QStringLiteral("\nusage: ") + QLatin1String(usage) + QLatin1Char('\n'));
    }
}

TEST(CommandLineTool, HelpsWithEveryCommandAndGivesItsVersion)
{
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
