#pragma once

#include "device/DevicePacket.h"

#include <QDate>
#include <QTime>

// Reading and setting the exchange's clock.
class ClockPackets
{
public:
    // Code 4 with port id 0: the exchange answers with its clock.
    static DevicePacket readRequest();
    // Code 5: seconds, minutes, hours, day, month, year within the century,
    // day of week (always 0), century. Both must be valid.
    static DevicePacket setClock(QDate date, QTime time);
};
