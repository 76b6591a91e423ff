#include "core/QtTimerFactory.h"

#include <QTimer>

namespace {
class QtTimer : public Timer
{
public:
    QtTimer(int interval, double scale)
        : m_scale(scale)
    {
        setInterval(interval);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { fire(); });
    }

    void setInterval(int milliseconds) override
    {
        m_interval = milliseconds;
        m_timer.setInterval(qMax(1, qRound(milliseconds * m_scale)));
    }
    int interval() const override { return m_interval; }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    double m_scale;
    int m_interval = 0;
};
} // namespace

QtTimerFactory::QtTimerFactory(double scale)
    : m_scale(scale)
{
    m_clock.start();
}

std::unique_ptr<Timer> QtTimerFactory::createTimer(int intervalMilliseconds)
{
    return std::make_unique<QtTimer>(intervalMilliseconds, m_scale);
}

QtTimerFactory &QtTimerFactory::shared()
{
    static QtTimerFactory factory;
    return factory;
}
