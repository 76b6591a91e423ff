#include "PacketRecorder.h"

#include "Receiver.h"

namespace {
// Code, two length bytes, "00"; two trailer bytes after the payload.
constexpr int HeaderLength = 5;
constexpr int TrailerLength = 2;
} // namespace

QList<PacketRecorder::Packet> PacketRecorder::decode(const QList<QByteArray> &frames)
{
    QList<Packet> packets;
    Receiver receiver([&packets](const QByteArray &content) {
        packets.append({static_cast<unsigned char>(content.at(0)),
                        content.mid(HeaderLength, content.size() - HeaderLength - TrailerLength)});
    });
    for (const QByteArray &frame : frames)
        receiver.ProcessInput(frame);
    return packets;
}

QList<PacketRecorder::Packet> PacketRecorder::packets() const
{
    return decode(m_frames);
}

QList<QByteArray> PacketRecorder::payloads(int code) const
{
    QList<QByteArray> result;
    for (const Packet &packet : packets()) {
        if (packet.code == code)
            result.append(packet.payload);
    }
    return result;
}
