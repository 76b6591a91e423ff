#pragma once

#include <QByteArray>
#include <QByteArrayView>

class DebugLog;
class FrameSink;
class PendingPacketStore;

// Frames packets for the exchange and hands them to the line.
class PacketSender
{
public:
    explicit PacketSender(FrameSink *sink, PendingPacketStore *pending = nullptr, DebugLog *log = nullptr);

    void setPendingStore(PendingPacketStore *pending) { m_pending = pending; }

    // Sends the first packLen bytes of packString under packType. Returns
    // whether a frame went to the sink.
    bool SendPacket(int packType, int packLen, const QByteArray &packString, bool keepForRetry);

    // 0x7E, stuffed code and length, "00", stuffed payload and trailer, 0x7E.
    static QByteArray BuildFrame(int packType, QByteArrayView payload);
    static QByteArray StuffBytes(QByteArrayView data);

private:
    FrameSink *m_sink;
    PendingPacketStore *m_pending;
    DebugLog *m_log;
};
