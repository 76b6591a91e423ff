#pragma once

#include <functional>

// A repeating timer as the windows and the transfer engine use it. Behind an
// interface so tests drive time instead of waiting for it.
class Timer
{
public:
    virtual ~Timer() = default;

    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    // Starting a running timer restarts its countdown.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    void setCallback(std::function<void()> callback) { m_callback = std::move(callback); }

protected:
    void fire()
    {
        if (m_callback)
            m_callback();
    }

private:
    std::function<void()> m_callback;
};
