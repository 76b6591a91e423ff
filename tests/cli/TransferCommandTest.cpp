#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "support/CliRun.h"
#include "support/PseudoTerminal.h"
#include "support/TestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {
class TransferCommand : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(writeFile(site, fileContent(samplePath()))); }

    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site.QBF"));
};
} // namespace

TEST_F(TransferCommand, AGetFromALineNobodyAnswersEndsAtItsTimeoutAndLeavesTheFileAlone)
{
    PseudoTerminal line;
    line.holdSlaveRaw();
    const Outcome run = runCli({QStringLiteral("get"), QStringLiteral("--port"), line.slavePath(),
                                QStringLiteral("--out"), site, QStringLiteral("--timeout"), QStringLiteral("1")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.endsWith(line.slavePath() + QStringLiteral(": the transfer did not finish within 1 seconds\n")))
        << run.err.toStdString();
    EXPECT_EQ(fileContent(site), fileContent(samplePath()));
}

TEST_F(TransferCommand, AnOutThatCannotBeWrittenIsRefusedBeforeThePortIsOpenedAndKeepsTheOldFile)
{
    const QString fifo = dir.filePath(QStringLiteral("out.pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(site).constData(), 0444), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const std::pair<QString, QString> refused[] = {
        {fifo, QStringLiteral("Not a regular file (a named pipe)")},
        {site, QStringLiteral("Existing file %1 is not writable").arg(site)},
    };
    for (const auto &[out, reason] : refused) {
        QProcess process;
        const QStringList arguments{QStringLiteral("get"), QStringLiteral("--port"),
                                    dir.filePath(QStringLiteral("no-such-port")), QStringLiteral("--out"), out};
        // Nothing stops root from writing a read-only file: the tool runs as nobody there.
        if (::geteuid() != 0)
            process.start(QStringLiteral(QB_CLI_PATH), arguments);
        else
            process.start(QStringLiteral("setpriv"),
                          QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                      QStringLiteral("--clear-groups"), QStringLiteral(QB_CLI_PATH)}
                              + arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 1);
        // A coverage build's profiler, running as nobody, adds its own lines after the tool's one.
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()).section(QLatin1Char('\n'), 0, 0),
                  QStringLiteral("Cannot save \"%1\": %2").arg(out, reason));
    }
    EXPECT_EQ(fileContent(site), fileContent(samplePath()));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
}

TEST_F(TransferCommand, SendRefusesAConfigurationWithoutRecordsBeforeOpeningThePortAndNamesAPortThatCannotBeOpened)
{
    const QString empty = dir.filePath(QStringLiteral("empty.QBF"));
    ASSERT_TRUE(ConfigFile().save(ExchClass(), empty));
    const Outcome run = runCli(
        {QStringLiteral("send"), QStringLiteral("--port"), QStringLiteral("/dev/quillbridge-no-such-port"), empty});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, empty + QStringLiteral(" holds no records; nothing was sent\n"));

    const Outcome unopened = runCli(
        {QStringLiteral("send"), QStringLiteral("--port"), QStringLiteral("/dev/quillbridge-no-such-port"), site});
    EXPECT_EQ(unopened.code, 1);
    EXPECT_EQ(unopened.err, QStringLiteral("Cannot open /dev/quillbridge-no-such-port: does not exist\n"));
}
