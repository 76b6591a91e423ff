#pragma once

#include <QByteArray>

// The serial line as the transfer engine and the line-reversal item see it.
class LineControl
{
public:
    virtual ~LineControl() = default;

    virtual void setRts(bool on) = 0;
    // A line that cannot report CTS (a pseudo-terminal, a three-wire cable)
    // counts as present.
    virtual bool ctsPresent() const = 0;
    // Resets the receiver so a half-received frame is forgotten.
    virtual void ClearInput() = 0;
    // Hands bytes to the line as they are, unframed, the way PackSend hands
    // over a frame.
    virtual void writeRaw(const QByteArray &bytes) = 0;
};
