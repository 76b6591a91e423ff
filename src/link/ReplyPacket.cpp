#include "link/ReplyPacket.h"

#include "link/PacketCode.h"
#include "model/FieldFunctions.h"

namespace {
constexpr int TrailerLength = 4;
constexpr int PortIdLength = 2;
} // namespace

QByteArray ReplyPacket::make(int code, int portId, const QByteArray &data)
{
    const int length = PortIdLength + int(data.size());
    QByteArray packet;
    packet += char(code & 0xFF);
    packet += char((length >> 8) & 0xFF);
    packet += char(length & 0xFF);
    packet += Frame::SequenceField;
    packet += EVal(portId, PortIdLength);
    packet += data;
    packet += QByteArray(TrailerLength, '\0');
    return packet;
}
