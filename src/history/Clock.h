#pragma once

#include <QDateTime>

// Where the time comes from, so tests can set it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime currentUtc() const = 0;
};
