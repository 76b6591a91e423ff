#pragma once

#include <QByteArray>

class PacketSender;

// One device command as it goes to the exchange: its code and its payload,
// port id first.
struct DevicePacket
{
    int code = -1;
    QByteArray payload;
};

// Device commands are never retransmitted by the configuration transfer: a
// pending record of a running transfer must not be replaced by one of them.
// The windows report a missing acknowledgement themselves.
bool sendDevicePacket(PacketSender &sender, const DevicePacket &packet);
