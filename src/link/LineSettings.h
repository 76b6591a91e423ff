#pragma once

#include <QString>

#include <optional>

// A serial control's settings text, "38400,n,8,1": speed, parity letter,
// data bits, stop bits.
class LineSettings
{
public:
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    // The text the program always uses: the speed, no parity, 8 data bits, 1 stop bit.
    static QString text(int speed);
    static std::optional<LineSettings> parse(const QString &text);

    int speed = 0;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;
};
