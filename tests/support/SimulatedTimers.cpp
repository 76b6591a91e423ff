#include "support/SimulatedTimers.h"

class SimulatedTimers::SimulatedTimer : public Timer
{
public:
    SimulatedTimer(SimulatedTimers *owner, int interval)
        : m_owner(owner)
        , m_interval(interval)
    {
        m_owner->m_timers.append(this);
    }
    ~SimulatedTimer() override
    {
        if (m_owner)
            m_owner->m_timers.removeOne(this);
    }

    void setInterval(int milliseconds) override { m_interval = milliseconds; }
    int interval() const override { return m_interval; }
    void start() override
    {
        m_active = true;
        m_due = m_owner->m_now + m_interval;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    void tick()
    {
        m_due += qMax(m_interval, 1);
        fire();
    }

    SimulatedTimers *m_owner;
    int m_interval;
    qint64 m_due = 0;
    bool m_active = false;
};

SimulatedTimers::~SimulatedTimers()
{
    for (SimulatedTimer *timer : std::as_const(m_timers))
        timer->m_owner = nullptr;
}

std::unique_ptr<Timer> SimulatedTimers::createTimer(int intervalMilliseconds)
{
    return std::make_unique<SimulatedTimer>(this, intervalMilliseconds);
}

void SimulatedTimers::advance(qint64 milliseconds)
{
    const qint64 target = m_now + milliseconds;
    for (;;) {
        SimulatedTimer *next = nullptr;
        for (SimulatedTimer *timer : std::as_const(m_timers)) {
            if (timer->m_active && timer->m_due <= target && (!next || timer->m_due < next->m_due))
                next = timer;
        }
        if (!next)
            break;
        m_now = next->m_due;
        next->tick();
    }
    m_now = target;
}
