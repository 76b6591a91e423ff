#include "CliRun.h"
#include "ConfigFile.h"
#include "ExchClass.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {
const QString SamplePath = QStringLiteral(QB_DATA_DIR "/sample.QBF");
const QString CliPath = QStringLiteral(QB_CLI_PATH);

Outcome runCli(const QStringList &arguments)
{
    return runCliProcess(CliPath, arguments);
}

QByteArray readSample()
{
    QFile file(SamplePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}
} // namespace

TEST(CheckCommand, AcceptsTheSampleWithOneSummaryLine)
{
    ExchClass config;
    ConfigFile file;
    ASSERT_TRUE(file.load(config, SamplePath));
    int records = 0;
    for (int m = 0; m < ExchClass::MemberCount; ++m)
        records += config.member(m).Records();

    const Outcome run = runCli({QStringLiteral("check"), SamplePath});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("%1: 9 structures, %2 records\n").arg(SamplePath).arg(records));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(CheckCommand, RejectsDamagedForeignMissingAndSpecialFilesAtOnceWithOneLineNamingThem)
{
    QTemporaryDir dir;
    const QByteArray sample = readSample();
    ASSERT_FALSE(sample.isEmpty());
    QByteArray foreign = sample;
    foreign.replace(2, 7, "QUILBRG");
    const QString truncated = dir.filePath(QStringLiteral("truncated.QBF"));
    const QString wrongMagic = dir.filePath(QStringLiteral("foreign.QBF"));
    const QString fifo = dir.filePath(QStringLiteral("pipe.QBF"));
    ASSERT_TRUE(writeFile(truncated, sample.left(sample.size() / 2)));
    ASSERT_TRUE(writeFile(wrongMagic, foreign));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const QList<std::pair<QString, QString>> cases = {
        {truncated, QStringLiteral("The configuration file \"%1\" is damaged and was not loaded: ").arg(truncated)},
        {wrongMagic, QStringLiteral("%1: Invalid file type - cannot load!").arg(wrongMagic)},
        {dir.filePath(QStringLiteral("absent.QBF")),
         QStringLiteral("Cannot open \"%1\": No such file or directory").arg(dir.filePath(QStringLiteral("absent.QBF")))},
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

TEST(CheckCommand, ExitsTwoWithAUsageLineForMissingArgumentsAndUnknownCommands)
{
    for (const QStringList &arguments : {QStringList{QStringLiteral("check")}, QStringList{},
                                         QStringList{QStringLiteral("frobnicate"), SamplePath},
                                         QStringList{QStringLiteral("--colour"), QStringLiteral("check"), SamplePath}}) {
        const Outcome run = runCli(arguments);
        EXPECT_EQ(run.code, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: quillbridge-cli"))) << run.err.toStdString();
    }
}

TEST(CommandLineTool, HelpListsTheCommandsAndVersionNamesTheBuild)
{
    const Outcome help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("  check FILE.QBF")) && help.out.contains(QStringLiteral("  dump [--json]")));
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
