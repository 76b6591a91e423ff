#pragma once

#include "history/Clock.h"

// The computer's own clock.
class SystemClock : public Clock
{
public:
    static SystemClock &shared();

    QDateTime currentUtc() const override;
};
