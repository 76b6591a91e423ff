#pragma once

#include "device/DevicePacket.h"

#include <array>

// The tie-line board's settings: incoming ringing detection (a level for each
// of the four lines and a start-detect time) and the outgoing dial pulses, a
// train of pulses for the flash and for each digit 1 .. 10.
class TieLineParameters
{
public:
    static constexpr int LineCount = 4;
    static constexpr int TrainCount = 11; // the flash, then digits 1 .. 10
    static constexpr int TrainLength = 33;
    static constexpr int PartsPerTrain = 4;
    static constexpr int PartLength = 8;
    static constexpr int LastDigit = TrainCount - 1;
    static constexpr quint8 NoPulse = 255;

    static constexpr double MinimumLevel = 1.0;
    static constexpr double MaximumLevel = 50.0;
    // The board counts the start-detect time in steps of this many milliseconds.
    static constexpr int StartDetectUnit = 132;
    static constexpr int MinimumStartDetect = 132;
    static constexpr int MaximumStartDetect = 1000;

    struct PulseTimings
    {
        quint8 flashLength;
        quint8 flashPause;
        quint8 digitLength;
        quint8 digitPause;
        quint8 digitInter;
    };

    using Train = std::array<quint8, TrainLength>;

    TieLineParameters();

    // Fills the pulse trains from the timings.
    void BuildCadence(const PulseTimings &timings);
    const Train &train(int digit) const { return m_pulses.at(std::size_t(digit)); }

    // A level as the board takes it: five times the value, to the nearest
    // whole number, halves to even; MinimumLevel .. MaximumLevel gives 5 .. 250.
    static int levelByte(double level);
    // Start-detect steps: milliseconds / StartDetectUnit, halves to even.
    static int startDetectByte(double milliseconds);

    // Code 33 to slot 6: 17, 9, the four levels twice, the start byte.
    static DevicePacket ringingDetectionPacket(const std::array<quint8, LineCount> &levels, quint8 startDetect);
    // Code 33 to slot 6: 4, 11, digit, part, entries 8 part .. 8 part + 7 of the train.
    DevicePacket pulsePartPacket(int digit, int part) const;

private:
    std::array<Train, TrainCount> m_pulses{};
};
