#pragma once

#include "device/DevicePacket.h"

#include <QByteArrayView>

// Reading the boards' serial information and writing one board's.
class BoardPackets
{
public:
    static constexpr int SerialNumberLength = 7;
    // Year, month and day digits: "YYYYMMDD".
    static constexpr int DateFieldLength = 8;

    // Code 32 with port id 0 and "rR".
    static DevicePacket readRequest();
    // Code 33: slot, 2, 10, 0 and the serial number's seven characters.
    static DevicePacket serialNumber(quint8 slot, QByteArrayView serial);
    // Code 33: slot, 2, 10, 1 and the eight date digits.
    static DevicePacket manufactureDate(quint8 slot, QByteArrayView dateField);
};
