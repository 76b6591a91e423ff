#include "CliRun.h"
#include "CommandLineTool.h"
#include "ConfigFile.h"
#include "ExchClass.h"
#include "TestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {
const QString CliPath = QStringLiteral(QB_CLI_PATH);
const QString SamplePath = QStringLiteral(QB_DATA_DIR "/sample.QBF");
constexpr int PollMilliseconds = 20;

// What answers on the far side of the cable instead of an exchange.
enum class FarEnd { Loopback, RandomBytes, OneStrayFrame };

// A pseudo-terminal whose master side a thread serves while the tool, in its
// own process, talks to the slave side.
class HostileLine
{
public:
    explicit HostileLine(FarEnd farEnd)
        : m_farEnd(farEnd)
        , m_master(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
        // Held open so the master never sees a hang-up; raw, so no byte is
        // echoed or translated by the terminal.
        m_slaveKeeper = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
        termios settings{};
        if (m_slaveKeeper >= 0 && ::tcgetattr(m_slaveKeeper, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(m_slaveKeeper, TCSANOW, &settings);
        }
        m_thread = std::thread([this] { serve(); });
    }
    ~HostileLine()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        for (int fd : {m_slaveKeeper, m_master}) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    HostileLine(const HostileLine &) = delete;
    HostileLine &operator=(const HostileLine &) = delete;

    QString slavePath() const { return m_slavePath; }

private:
    void serve()
    {
        QRandomGenerator random(18);
        bool strayed = false;
        char buffer[4096];
        while (!m_stop) {
            pollfd wait{m_master, POLLIN, 0};
            if (::poll(&wait, 1, PollMilliseconds) <= 0 || !(wait.revents & POLLIN))
                continue;
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got <= 0)
                continue;
            QByteArray answer;
            switch (m_farEnd) {
            case FarEnd::Loopback:
                answer = QByteArray(buffer, got);
                break;
            case FarEnd::RandomBytes:
                for (ssize_t i = 0; i < got; ++i)
                    answer += char(random.bounded(256));
                break;
            case FarEnd::OneStrayFrame:
                // A tones record, 12 bytes on the wire, once.
                if (!strayed)
                    answer = bytes("7E 24 00 05 30 30 00 00 41 00 00 7E");
                strayed = true;
                break;
            }
            if (!answer.isEmpty() && ::write(m_master, answer.constData(), size_t(answer.size())) < 0)
                return;
        }
    }

    FarEnd m_farEnd;
    int m_master;
    int m_slaveKeeper = -1;
    QString m_slavePath;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(TransferCommand, AGetFromALineThatIsNoExchangeFailsAndLeavesTheFileAlone)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("site.QBF"));
    ASSERT_TRUE(QFile::copy(SamplePath, out));
    const QByteArray before = contentOf(out);

    for (FarEnd farEnd : {FarEnd::Loopback, FarEnd::RandomBytes, FarEnd::OneStrayFrame}) {
        SCOPED_TRACE(int(farEnd));
        HostileLine line(farEnd);
        ASSERT_FALSE(line.slavePath().isEmpty());
        const Outcome run = runCliProcess(CliPath, {QStringLiteral("get"), QStringLiteral("--port"), line.slavePath(),
                                                    QStringLiteral("--out"), out, QStringLiteral("--timeout"),
                                                    QStringLiteral("2")});
        EXPECT_EQ(run.code, 1) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        const QString lastLine = run.err.trimmed().section(QLatin1Char('\n'), -1);
        EXPECT_TRUE(lastLine.startsWith(line.slavePath() + QStringLiteral(": "))) << run.err.toStdString();
        EXPECT_EQ(contentOf(out), before);
    }
}

TEST(TransferCommand, SendRefusesAConfigurationWithoutRecordsBeforeOpeningThePort)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.QBF"));
    ExchClass nothing;
    ConfigFile file;
    ASSERT_TRUE(file.save(nothing, empty)) << file.errorString().toStdString();

    const Outcome run = runCliProcess(CliPath, {QStringLiteral("send"), QStringLiteral("--port"),
                                                QStringLiteral("/dev/quillbridge-no-such-port"), empty});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, empty + QStringLiteral(" holds no records; nothing was sent\n"));
}

TEST(TransferCommand, OutOfRangeTimeoutsSpeedsAndPortNumbersAreUsageErrors)
{
    const char *const refused[][2] = {
        {"--timeout", "0"},   {"--timeout", "86401"}, {"--timeout", "2147484"}, {"--speed", "1000"},
        {"--speed", "fast"},  {"--port", "0"},        {"--port", "17"},         {"--port", "-1"},
    };
    for (const auto &[option, value] : refused) {
        QStringList arguments{QStringLiteral("get"), QStringLiteral("--port"), QStringLiteral("3"),
                              QStringLiteral("--out"), QStringLiteral("site.QBF")};
        arguments << QLatin1String(option) << QLatin1String(value);
        const Outcome run = runInProcess<CommandLineTool>(arguments);
        EXPECT_EQ(run.code, 2) << option << " " << value;
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("quillbridge-cli get: %1 needs ").arg(QLatin1String(option))))
            << run.err.toStdString();
    }
}
