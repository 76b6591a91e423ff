#include "CliRun.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {
const QString SamplePath = QStringLiteral(QB_DATA_DIR "/sample.QBF");
const QString CliPath = QStringLiteral(QB_CLI_PATH);

bool isFifo(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}
} // namespace

TEST(CommandOutput, APipeAsOutputIsRefusedAtOnceInOneLineNamingItAndGetRefusesBeforeOpeningThePort)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("out.pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString refusal = QStringLiteral("Not a regular file (a named pipe)\n");

    const QList<std::pair<QStringList, QString>> cases = {
        {{QStringLiteral("convert"), SamplePath, QStringLiteral("--out"), fifo},
         QStringLiteral("Not able to create the file %1: ").arg(fifo) + refusal},
        {{QStringLiteral("get"), QStringLiteral("--port"), dir.filePath(QStringLiteral("no-such-port")),
          QStringLiteral("--out"), fifo},
         QStringLiteral("Cannot save \"%1\": ").arg(fifo) + refusal},
    };
    for (const auto &[arguments, message] : cases) {
        const Outcome run = runCliProcess(CliPath, arguments);
        EXPECT_EQ(run.code, 1) << arguments.first().toStdString();
        EXPECT_EQ(run.err, message);
        EXPECT_TRUE(isFifo(fifo));
    }
}

TEST(CommandOutput, FileNamesThatAreNotUtf8AreReadAndWrittenAsGiven)
{
    QTemporaryDir dir;
    QFile sample(SamplePath);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    ASSERT_TRUE(sample.copy(dir.filePath(QStringLiteral("plain.QBF"))));

    // The shell hands the tool the byte 0xE9 itself, as a Latin-1 name on disk has it.
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("mv plain.QBF \"$(printf 'caf\\351.QBF')\" && "
                                "exec \"$0\" convert \"$(printf 'caf\\351.QBF')\" --out \"$(printf 'caf\\351.VRS')\""),
                 CliPath});
    ASSERT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();

    struct stat status = {};
    const QByteArray written = QFile::encodeName(dir.path()) + "/caf\xE9.VRS";
    ASSERT_EQ(::stat(written.constData(), &status), 0);
    EXPECT_GT(status.st_size, 0);
}

TEST(CommandOutput, AListingCutShortByAFullDiskFailsWithTheReason)
{
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(CliPath, {QStringLiteral("dump"), QStringLiteral("--json"), SamplePath});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardError()),
              QStringLiteral("Cannot write to standard output: No space left on device\n"));
}
