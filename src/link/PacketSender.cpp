#include "link/PacketSender.h"

#include "core/DebugLog.h"
#include "link/FrameSink.h"
#include "link/PacketCode.h"
#include "link/PendingPacketStore.h"

namespace {
bool needsEscape(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= Frame::StuffFirst && value <= Frame::StuffLast;
}
} // namespace

PacketSender::PacketSender(FrameSink *sink, PendingPacketStore *pending, DebugLog *log)
    : m_sink(sink)
    , m_pending(pending)
    , m_log(log)
{
}

QByteArray PacketSender::StuffBytes(QByteArrayView data)
{
    QByteArray out;
    out.reserve(data.size() + data.size() / 8 + 1);
    for (char byte : data) {
        if (needsEscape(byte))
            out += Frame::Escape;
        out += byte;
    }
    return out;
}

QByteArray PacketSender::BuildFrame(int packType, QByteArrayView payload)
{
    const qsizetype length = payload.size();
    const char head[] = {char(packType & 0xFF), char((length >> 8) & 0xFF), char(length & 0xFF)};
    const char trailer[Frame::TrailerLength] = {0, 0};

    QByteArray frame;
    frame.reserve(2 * length + 16);
    frame += Frame::Delimiter;
    frame += StuffBytes(QByteArrayView(head, sizeof head));
    frame += Frame::SequenceField;
    frame += StuffBytes(payload);
    frame += StuffBytes(QByteArrayView(trailer, sizeof trailer));
    frame += Frame::Delimiter;
    return frame;
}

bool PacketSender::SendPacket(int packType, int packLen, const QByteArray &packString, bool keepForRetry)
{
    if (packType == PacketCode::None)
        return false;
    if (m_pending) {
        if (keepForRetry)
            m_pending->storePendingPacket(packType, packLen, packString);
        m_pending->startRetransmissionTimer();
    }
    if (packLen > packString.size() || packLen < 0) {
        DebugLog &log = m_log ? *m_log : DebugLog::shared();
        log.Error(QStringLiteral("Module1.SendPacket"),
                  QStringLiteral("Packlen is greater than Len(PackString) (%1 - %2Packet not sent")
                      .arg(packLen)
                      .arg(packString.size()));
        return false;
    }
    if (m_sink)
        m_sink->PackSend(BuildFrame(packType, QByteArrayView(packString).first(packLen)));
    return true;
}
