#include "device/DevicePacket.h"

#include "link/PacketSender.h"

bool sendDevicePacket(PacketSender &sender, const DevicePacket &packet)
{
    return sender.SendPacket(packet.code, int(packet.payload.size()), packet.payload, false);
}
