#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <sys/stat.h>

namespace {
class ConvertCommand : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(writeFile(input, fileContent(samplePath()))); }

    Outcome convert(const QString &out)
    {
        return runCli({QStringLiteral("convert"), input, QStringLiteral("--out"), out});
    }

    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("site.QBF"));
    const QString output = dir.filePath(QStringLiteral("site.VRS"));
};
} // namespace

TEST_F(ConvertCommand, WritesTheXmlConfigurationAndLeavesTheConfigurationFileAlone)
{
    const Outcome run = convert(output);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("%1: written from %2\n").arg(output, input));
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_EQ(fileContent(input), fileContent(samplePath()));
    EXPECT_EQ(xmlLintErrors(fileContent(output)), QString());
}

TEST_F(ConvertCommand, ARefusedConversionOrAnOutputThatCannotBeWrittenFailsWithItsReasonAndWritesNothing)
{
    const QString fifo = dir.filePath(QStringLiteral("out.pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString nowhere = dir.filePath(QStringLiteral("no folder/site.VRS"));
    const std::pair<QString, QString> refused[] = {
        {fifo, QStringLiteral("Not able to create the file %1: Not a regular file (a named pipe)\n").arg(fifo)},
        {nowhere, QStringLiteral("Not able to create the file ") + nowhere},
    };
    for (const auto &[out, reason] : refused) {
        const Outcome run = convert(out);
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(run.err.startsWith(reason)) << run.err.toStdString();
    }
    ExchClass config;
    ConfigFile file;
    ASSERT_TRUE(file.load(config, input));
    config.VirtualPorts().SetInteger("Type", 0, 5);
    ASSERT_TRUE(file.save(config, input));
    const Outcome run = convert(output);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("Not able to convert configuration automatically: Virtual port 0 \"Reception\" "
                             "has the type \"Intercom\", which a K7101/K7202 configuration cannot hold.\n"));
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(ConvertCommand, AnOutputThatIsTheConfigurationFileIsAUsageErrorAndLeavesItAlone)
{
    EXPECT_EQ(convert(input).code, 2);
    EXPECT_EQ(fileContent(input), fileContent(samplePath()));
}

TEST_F(ConvertCommand, FileNamesThatAreNotUtf8AreReadAndWrittenAsGiven)
{
    // The shell hands the tool the byte 0xE9 itself, as a Latin-1 name on disk has it.
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("mv site.QBF \"$(printf 'caf\\351.QBF')\" && "
                                "exec \"$0\" convert \"$(printf 'caf\\351.QBF')\" --out \"$(printf 'caf\\351.VRS')\""),
                 QStringLiteral(QB_CLI_PATH)});
    ASSERT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    struct stat status = {};
    ASSERT_EQ(::stat((QFile::encodeName(dir.path()) + "/caf\xE9.VRS").constData(), &status), 0);
    EXPECT_GT(status.st_size, 0);
}
