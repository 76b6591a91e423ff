#pragma once

#include <QByteArray>

// The content of a packet as the exchange sends it and the receiver hands it
// on: code, length (high byte first), sequence, 16-bit port id, data and the
// 4-byte trailer.
class ReplyPacket
{
public:
    static QByteArray make(int code, int portId, const QByteArray &data);
};
