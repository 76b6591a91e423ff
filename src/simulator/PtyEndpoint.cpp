#include "simulator/PtyEndpoint.h"

#include "simulator/ExchangeSimulator.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int BitsPerByte = 10; // start bit, 8 data bits, stop bit
constexpr qint64 NanosecondsPerSecond = 1'000'000'000;
constexpr qint64 NanosecondsPerMillisecond = 1'000'000;
// A paced line is fed in slices this long: short enough to look like a
// stream to the reader, long enough not to wake up for every byte.
constexpr int PaceSliceMilliseconds = 5;
constexpr qsizetype ReadChunk = 4096;
constexpr size_t SlaveNameLength = 128;

QString systemError(const QString &what)
{
    return what + QStringLiteral(": ") + qt_error_string(errno);
}

bool makeNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 && ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}
} // namespace

PtyEndpoint::PtyEndpoint(ExchangeSimulator *simulator, QObject *parent)
    : QObject(parent)
    , m_simulator(simulator)
{
    m_paceTimer.setSingleShot(true);
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_paceTimer, &QTimer::timeout, this, &PtyEndpoint::writeOutput);
    m_lineClock.start();
}

PtyEndpoint::~PtyEndpoint()
{
    close();
}

bool PtyEndpoint::fail(const QString &message)
{
    m_error = message;
    close();
    return false;
}

bool PtyEndpoint::open()
{
    if (isOpen())
        return true;
    m_error.clear();
    m_stopped = false;

    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(systemError(QStringLiteral("Cannot open a pseudo-terminal")));
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 || !makeNonBlocking(m_master))
        return fail(systemError(QStringLiteral("Cannot prepare the pseudo-terminal")));
    char name[SlaveNameLength] = {};
    if (::ptsname_r(m_master, name, sizeof name) != 0)
        return fail(systemError(QStringLiteral("Cannot name the pseudo-terminal")));

    m_slaveKeeper = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slaveKeeper < 0)
        return fail(systemError(QStringLiteral("Cannot open %1").arg(QString::fromLocal8Bit(name))));
    termios settings{};
    if (::tcgetattr(m_slaveKeeper, &settings) != 0)
        return fail(systemError(QStringLiteral("Cannot read the line settings")));
    ::cfmakeraw(&settings);
    if (::tcsetattr(m_slaveKeeper, TCSANOW, &settings) != 0)
        return fail(systemError(QStringLiteral("Cannot set the line to raw")));

    m_slavePath = QString::fromLocal8Bit(name);
    m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &PtyEndpoint::readInput);
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, [this] {
        m_writeNotifier->setEnabled(false);
        writeOutput();
    });
    return true;
}

void PtyEndpoint::close()
{
    m_paceTimer.stop();
    m_readNotifier.reset();
    m_writeNotifier.reset();
    if (m_slaveKeeper >= 0)
        ::close(m_slaveKeeper);
    if (m_master >= 0)
        ::close(m_master);
    m_slaveKeeper = -1;
    m_master = -1;
    m_slavePath.clear();
    m_output.clear();
}

void PtyEndpoint::setBaudRate(int baud)
{
    m_baudRate = qMax(0, baud);
    if (isOpen())
        writeOutput();
}

void PtyEndpoint::stopServing(const QString &reason)
{
    m_stopped = true;
    m_error = reason;
    m_paceTimer.stop();
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    emit failed(reason);
}

void PtyEndpoint::readInput()
{
    char buffer[ReadChunk];
    while (m_output.size() < MaxPendingOutput) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            for (const QByteArray &frame : m_simulator->feed(QByteArrayView(buffer, n)))
                m_output += frame;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            break;
        } else {
            stopServing(systemError(QStringLiteral("Cannot read from %1").arg(m_slavePath)));
            return;
        }
    }
    // A client that writes without reading would grow the replies without
    // end; its further requests wait on the line until it reads again.
    if (m_output.size() >= MaxPendingOutput)
        m_readNotifier->setEnabled(false);
    writeOutput();
}

void PtyEndpoint::writeOutput()
{
    if (!isOpen())
        return;
    while (!m_output.isEmpty()) {
        qsizetype chunk = m_output.size();
        qint64 now = 0;
        if (m_baudRate > 0) {
            now = m_lineClock.nsecsElapsed();
            if (now < m_lineBusyUntil) {
                const qint64 wait = (m_lineBusyUntil - now + NanosecondsPerMillisecond - 1) / NanosecondsPerMillisecond;
                m_paceTimer.start(int(wait));
                return;
            }
            const qint64 sliceBytes = qint64(m_baudRate) * PaceSliceMilliseconds / (BitsPerByte * 1000);
            chunk = qMin(chunk, qsizetype(qMax<qint64>(1, sliceBytes)));
        }
        const ssize_t written = ::write(m_master, m_output.constData(), size_t(chunk));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EAGAIN) {
            m_writeNotifier->setEnabled(true);
            return;
        }
        if (written < 0) {
            stopServing(systemError(QStringLiteral("Cannot write to %1").arg(m_slavePath)));
            return;
        }
        m_output.remove(0, written);
        if (!m_stopped && m_output.size() < MaxPendingOutput)
            m_readNotifier->setEnabled(true);
        // The line is busy until the last of these bytes has gone out; no
        // credit is kept for idle time, so a reply never bursts.
        if (m_baudRate > 0)
            m_lineBusyUntil = now + (written * BitsPerByte * NanosecondsPerSecond + m_baudRate - 1) / m_baudRate;
    }
}
