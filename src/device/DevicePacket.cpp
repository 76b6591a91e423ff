#include "DevicePacket.h"

#include "PacketSender.h"

bool sendDevicePacket(PacketSender &sender, const DevicePacket &packet)
{
    return sender.SendPacket(packet.code, int(packet.payload.size()), packet.payload, false);
}
