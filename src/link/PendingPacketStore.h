#pragma once

#include <QByteArray>

// Where SendPacket leaves a packet it may have to send again, and the timer
// that decides when; the transfer engine implements it.
class PendingPacketStore
{
public:
    virtual ~PendingPacketStore() = default;
    virtual void storePendingPacket(int packType, int packLen, const QByteArray &packString) = 0;
    virtual void startRetransmissionTimer() = 0;
};
