#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "support/CliRun.h"
#include "support/PseudoTerminal.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>

#include <atomic>
#include <thread>

#include <poll.h>
#include <sys/stat.h>

namespace {
// What answers on the far side of the cable instead of an exchange.
enum class FarEnd { Silent, Loopback, RandomBytes, OneStrayFrame };

// A pseudo-terminal whose master side a thread serves while the tool, in its
// own process, talks to the slave side.
class HostileLine
{
public:
    explicit HostileLine(FarEnd farEnd)
        : m_farEnd(farEnd)
    {
        m_terminal.holdSlaveRaw();
        m_thread = std::thread([this] { serve(); });
    }
    ~HostileLine()
    {
        m_stop = true;
        m_thread.join();
    }

    QString path() const { return m_terminal.slavePath(); }

private:
    void serve()
    {
        constexpr int PollMilliseconds = 20;
        QRandomGenerator random(18);
        bool strayed = false;
        char buffer[4096];
        while (!m_stop) {
            pollfd wait{m_terminal.master(), POLLIN, 0};
            if (::poll(&wait, 1, PollMilliseconds) <= 0 || !(wait.revents & POLLIN))
                continue;
            const ssize_t got = ::read(m_terminal.master(), buffer, sizeof buffer);
            QByteArray answer;
            if (m_farEnd == FarEnd::Loopback && got > 0)
                answer = QByteArray(buffer, got);
            for (ssize_t i = 0; m_farEnd == FarEnd::RandomBytes && i < got; ++i)
                answer += char(random.bounded(256));
            // A tones record, 12 bytes on the wire, once.
            if (m_farEnd == FarEnd::OneStrayFrame && !std::exchange(strayed, true))
                answer = bytes("7E 24 00 05 30 30 00 00 41 00 00 7E");
            if (!answer.isEmpty() && ::write(m_terminal.master(), answer.constData(), size_t(answer.size())) < 0)
                return;
        }
    }

    PseudoTerminal m_terminal;
    FarEnd m_farEnd;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class TransferCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeFile(site, fileContent(samplePath())));
    }

    Outcome get(const HostileLine &line, const char *timeout = nullptr, int boundMilliseconds = 30000)
    {
        QStringList arguments{QStringLiteral("get"), QStringLiteral("--port"), line.path(), QStringLiteral("--out"),
                              site};
        if (timeout)
            arguments << QStringLiteral("--timeout") << QLatin1String(timeout);
        return runCli(arguments, boundMilliseconds);
    }

    // The line the tool ends a failed transfer with.
    static QString lastLine(const Outcome &run) { return run.err.trimmed().section(QLatin1Char('\n'), -1); }

    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site.QBF"));
};
} // namespace

TEST_F(TransferCommand, AGetFromALineThatIsNoExchangeFailsWithTheReasonAndLeavesTheFileAlone)
{
    const std::tuple<FarEnd, const char *, QString> lines[] = {
        {FarEnd::Loopback, "30",
         QStringLiteral(
             ": The configuration did not arrive whole (no layout for Class List, ACL, Virtual Ports, System, "
             "Groups, Rights, Port To Virtual, Ext To Virtual); nothing was kept")},
        {FarEnd::OneStrayFrame, "1", QStringLiteral(": the transfer did not finish within 1 seconds")},
        {FarEnd::RandomBytes, "2", QString()},
    };
    for (const auto &[farEnd, timeout, reason] : lines) {
        SCOPED_TRACE(int(farEnd));
        HostileLine line(farEnd);
        const Outcome run = get(line, timeout);
        EXPECT_EQ(run.code, 1) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(lastLine(run).startsWith(line.path() + reason)) << run.err.toStdString();
        EXPECT_EQ(fileContent(site), fileContent(samplePath()));
    }
}

TEST_F(TransferCommand, AGetFromALineNobodyAnswersEndsWithNoOrvexDetected)
{
    HostileLine line(FarEnd::Silent);
    const Outcome run = get(line, nullptr, 300000);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(lastLine(run), line.path() + QStringLiteral(": No Orvex detected"));
    EXPECT_EQ(fileContent(site), fileContent(samplePath()));
}

TEST_F(TransferCommand, ASendThatDoesNotFinishWithinItsTimeoutFails)
{
    HostileLine line(FarEnd::Silent);
    const Outcome run = runCli({QStringLiteral("send"), QStringLiteral("--port"), line.path(),
                                QStringLiteral("--timeout"), QStringLiteral("1"), site});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(lastLine(run), line.path() + QStringLiteral(": the transfer did not finish within 1 seconds"));
}

TEST_F(TransferCommand, AnOutThatCannotBeWrittenIsRefusedBeforeThePortIsOpenedAndKeepsTheOldFile)
{
    const QString fifo = dir.filePath(QStringLiteral("out.pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(site).constData(), 0444), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const QString noPort = dir.filePath(QStringLiteral("no-such-port"));
    const std::pair<QString, QString> refused[] = {
        {fifo, QStringLiteral("Not a regular file (a named pipe)")},
        {site, QStringLiteral("Existing file %1 is not writable").arg(site)},
    };
    for (const auto &[out, reason] : refused) {
        const QStringList arguments{QStringLiteral(QB_CLI_PATH), QStringLiteral("get"),
                                    QStringLiteral("--port"),    noPort,
                                    QStringLiteral("--out"),     out};
        // Nothing stops root from writing a read-only file: the tool runs as nobody there.
        const Outcome run = ::geteuid() != 0
            ? runProcess(arguments.first(), arguments.mid(1))
            : runProcess(QStringLiteral("setpriv"),
                         QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                     QStringLiteral("--clear-groups")}
                             + arguments);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, QStringLiteral("Cannot save \"%1\": %2\n").arg(out, reason));
    }
    EXPECT_EQ(fileContent(site), fileContent(samplePath()));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
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
