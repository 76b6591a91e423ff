#pragma once

#include <QByteArray>
#include <QString>

// The client end of a simulator's pseudo-terminal, opened as a serial port
// program would: raw and without becoming the controlling terminal. Reads go
// through the event loop, bounded by a time limit rather than waiting it out.
class SlaveDevice
{
public:
    explicit SlaveDevice(const QString &path);
    ~SlaveDevice();

    bool isOpen() const { return m_fd >= 0; }
    bool write(const QByteArray &bytes);
    // The bytes received until `frames` whole frames have arrived, or what came
    // before the limit.
    QByteArray readFrames(int frames, int limitMilliseconds = 5000);

private:
    int m_fd = -1;
};
