#pragma once

#include <QString>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal whose master side the test holds while the code under
// test opens the slave side as its serial line.
class PseudoTerminal
{
public:
    PseudoTerminal()
        : m_master(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    }
    ~PseudoTerminal()
    {
        hangUp();
        if (m_slaveKeeper >= 0)
            ::close(m_slaveKeeper);
    }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    int master() const { return m_master; }
    QString slavePath() const { return m_slavePath; }

    // Holds the slave open, so the master never sees a hang-up, and raw, so
    // the terminal neither echoes nor translates a byte.
    void holdSlaveRaw()
    {
        m_slaveKeeper = ::open(m_slavePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        termios settings{};
        if (m_slaveKeeper >= 0 && ::tcgetattr(m_slaveKeeper, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(m_slaveKeeper, TCSANOW, &settings);
        }
    }

    void hangUp()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master;
    int m_slaveKeeper = -1;
    QString m_slavePath;
};
