#pragma once

#include <QByteArray>

// Takes a finished frame to the line (the serial port, or a test recorder).
class FrameSink
{
public:
    virtual ~FrameSink() = default;
    virtual void PackSend(const QByteArray &frame) = 0;
};
