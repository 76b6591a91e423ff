#pragma once

#include <QString>

// A gain is stored as its place in a list that runs down from +3 dB in steps
// of 1 dB; windows and the report show it in decibels.
class GainLevels
{
public:
    static constexpr int Count = 31;

    // "3 dB" for place 0, "-27 dB" for the last place.
    static QString text(int place);
};
