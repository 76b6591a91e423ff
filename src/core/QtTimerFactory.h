#pragma once

#include "core/TimerFactory.h"

#include <QElapsedTimer>

// Real timers on the event loop. A scale below 1 shortens every interval,
// for end-to-end runs that must not wait out real retransmission delays.
class QtTimerFactory : public TimerFactory
{
public:
    explicit QtTimerFactory(double scale = 1.0);

    std::unique_ptr<Timer> createTimer(int intervalMilliseconds) override;
    qint64 now() const override { return m_clock.elapsed(); }

    static QtTimerFactory &shared();

private:
    double m_scale;
    QElapsedTimer m_clock;
};
