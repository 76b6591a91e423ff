#include "support/SlaveDevice.h"

#include "link/Receiver.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

SlaveDevice::SlaveDevice(const QString &path)
{
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings{};
    if (m_fd >= 0 && ::tcgetattr(m_fd, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(m_fd, TCSANOW, &settings);
    }
}

SlaveDevice::~SlaveDevice()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SlaveDevice::write(const QByteArray &bytes)
{
    return m_fd >= 0 && ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QByteArray SlaveDevice::readFrames(int frames, int limitMilliseconds)
{
    QByteArray received;
    int complete = 0;
    Receiver receiver([&complete](const QByteArray &) { ++complete; });
    QEventLoop loop;
    QSocketNotifier notifier(m_fd, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            received.append(buffer, n);
            receiver.ProcessInput(QByteArrayView(buffer, n));
        }
        if (complete >= frames)
            loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(limitMilliseconds);
    loop.exec();
    return received;
}
