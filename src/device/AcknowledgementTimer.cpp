#include "device/AcknowledgementTimer.h"

#include "core/Timer.h"
#include "core/TimerFactory.h"

AcknowledgementTimer::AcknowledgementTimer(TimerFactory &timers, Expired expired)
    : m_timer(timers.createTimer(WaitMilliseconds))
    , m_expired(std::move(expired))
{
    m_timer->setCallback([this] { tick(); });
}

AcknowledgementTimer::~AcknowledgementTimer() = default;

void AcknowledgementTimer::packetSent()
{
    m_timer->stop();
    m_timer->setInterval(WaitMilliseconds);
    m_received = false;
    m_timer->start();
}

void AcknowledgementTimer::acknowledged()
{
    m_timer->stop();
    m_timer->setInterval(StatusMilliseconds);
    m_timer->start();
    m_received = true;
}

bool AcknowledgementTimer::isActive() const
{
    return m_timer->isActive();
}

void AcknowledgementTimer::tick()
{
    m_timer->stop();
    if (m_expired)
        m_expired(m_received);
}
