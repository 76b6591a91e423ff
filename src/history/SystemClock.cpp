#include "history/SystemClock.h"

SystemClock &SystemClock::shared()
{
    static SystemClock clock;
    return clock;
}

QDateTime SystemClock::currentUtc() const
{
    return QDateTime::currentDateTimeUtc();
}
