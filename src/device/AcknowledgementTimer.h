#pragma once

#include <functional>
#include <memory>

class Timer;
class TimerFactory;

// Watches for the exchange's acknowledgement of a code-33 packet: a send
// waits 1000 ms for it; an acknowledgement's status stays 2000 ms. When the
// wait ends the timer stops and says whether an acknowledgement came.
class AcknowledgementTimer
{
public:
    static constexpr int WaitMilliseconds = 1000;
    static constexpr int StatusMilliseconds = 2000;

    using Expired = std::function<void(bool received)>;

    AcknowledgementTimer(TimerFactory &timers, Expired expired);
    ~AcknowledgementTimer();

    void packetSent();
    void acknowledged();
    bool received() const { return m_received; }
    bool isActive() const;

private:
    void tick();

    std::unique_ptr<Timer> m_timer;
    Expired m_expired;
    bool m_received = false;
};
