#pragma once

#include "core/Timer.h"

#include <QtGlobal>

#include <memory>

// Makes timers and tells the time: real ones in the program, simulated ones in tests.
class TimerFactory
{
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer(int intervalMilliseconds) = 0;
    // Milliseconds since an arbitrary fixed point.
    virtual qint64 now() const = 0;
};
