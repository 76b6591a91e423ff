#pragma once

#include <QString>

#include <array>
#include <optional>

// A serial control's settings text, "38400,n,8,1": speed, parity letter,
// data bits, stop bits.
class LineSettings
{
public:
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    // The speeds a serial port is opened at by name.
    static constexpr std::array<int, 8> SupportedSpeeds = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    static bool isSupportedSpeed(int speed);

    // The text the program always uses: the speed, no parity, 8 data bits, 1 stop bit.
    static QString text(int speed);
    static std::optional<LineSettings> parse(const QString &text);

    int speed = 0;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;
};
