#include "simulator/StopSignalNotifier.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
int s_signalPipe = -1;

void onStopSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(s_signalPipe, &byte, 1);
    errno = savedErrno;
}
} // namespace

StopSignalNotifier::StopSignalNotifier(QObject *parent)
    : QObject(parent)
{
}

StopSignalNotifier::~StopSignalNotifier()
{
    uninstall();
}

bool StopSignalNotifier::install()
{
    if (m_installed)
        return true;
    if (s_signalPipe >= 0) {
        m_error = QStringLiteral("Another stop-signal notifier is installed");
        return false;
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_error = QStringLiteral("Cannot create the signal pipe: ") + qt_error_string(errno);
        return false;
    }
    m_readEnd = ends[0];
    m_writeEnd = ends[1];
    s_signalPipe = m_writeEnd;

    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &StopSignalNotifier::drain);

    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &m_previousInterrupt);
    ::sigaction(SIGTERM, &action, &m_previousTerminate);
    m_installed = true;
    return true;
}

void StopSignalNotifier::uninstall()
{
    if (!m_installed)
        return;
    ::sigaction(SIGINT, &m_previousInterrupt, nullptr);
    ::sigaction(SIGTERM, &m_previousTerminate, nullptr);
    s_signalPipe = -1;
    m_notifier.reset();
    ::close(m_readEnd);
    ::close(m_writeEnd);
    m_readEnd = -1;
    m_writeEnd = -1;
    m_installed = false;
}

void StopSignalNotifier::drain()
{
    char buffer[16];
    while (::read(m_readEnd, buffer, sizeof buffer) > 0) {}
    emit stopRequested();
}
