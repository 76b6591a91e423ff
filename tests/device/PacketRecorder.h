#pragma once

#include "FrameSink.h"

#include <QByteArray>
#include <QList>

// Keeps every frame sent, and reads each back as its code and payload.
class PacketRecorder : public FrameSink
{
public:
    struct Packet
    {
        int code;
        QByteArray payload;
    };

    void PackSend(const QByteArray &frame) override { m_frames.append(frame); }

    QList<Packet> packets() const;
    QList<QByteArray> payloads(int code) const;
    int count() const { return int(m_frames.size()); }
    void clear() { m_frames.clear(); }

    // The packets of one frame stream, as the exchange would read them.
    static QList<Packet> decode(const QList<QByteArray> &frames);

private:
    QList<QByteArray> m_frames;
};
