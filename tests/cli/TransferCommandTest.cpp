#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "support/CliRun.h"
#include "support/PseudoTerminal.h"
#include "support/TestSupport.h"

#include <sys/stat.h>

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

TEST_F(TransferCommand, AnOutThatCannotBeWrittenIsRefusedBeforeThePortIsOpened)
{
    const QString fifo = dir.filePath(QStringLiteral("out.pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const Outcome run = runCli({QStringLiteral("get"), QStringLiteral("--port"),
                                dir.filePath(QStringLiteral("no-such-port")), QStringLiteral("--out"), fifo});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("Cannot save \"%1\": Not a regular file (a named pipe)\n").arg(fifo));
}

TEST_F(TransferCommand, SendRefusesAConfigurationWithoutRecordsBeforeOpeningThePort)
{
    const QString empty = dir.filePath(QStringLiteral("empty.QBF"));
    ASSERT_TRUE(ConfigFile().save(ExchClass(), empty));
    const Outcome run = runCli(
        {QStringLiteral("send"), QStringLiteral("--port"), QStringLiteral("/dev/quillbridge-no-such-port"), empty});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, empty + QStringLiteral(" holds no records; nothing was sent\n"));
}
