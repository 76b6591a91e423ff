#pragma once

#include "core/TimerFactory.h"

#include <QList>

// Timers on a simulated clock: time passes only through advance(), which
// fires every timer that falls due on the way, in time order.
class SimulatedTimers : public TimerFactory
{
public:
    ~SimulatedTimers() override;

    std::unique_ptr<Timer> createTimer(int intervalMilliseconds) override;
    qint64 now() const override { return m_now; }

    void advance(qint64 milliseconds);

private:
    class SimulatedTimer;
    friend class SimulatedTimer;

    qint64 m_now = 0;
    QList<SimulatedTimer *> m_timers;
};
