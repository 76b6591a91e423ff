#include "FrameSink.h"
#include "PacketSender.h"
#include "PendingPacketStore.h"
#include "TestSupport.h"

namespace {
struct FrameRecorder : FrameSink
{
    void PackSend(const QByteArray &frame) override { frames.append(frame); }
    QList<QByteArray> frames;
};

struct PendingRecorder : PendingPacketStore
{
    void storePendingPacket(int type, int length, const QByteArray &payload) override
    {
        stored = {type, length, payload};
    }
    void startRetransmissionTimer() override { ++timerStarts; }

    struct
    {
        int type = -1;
        int length = 0;
        QByteArray payload;
    } stored;
    int timerStarts = 0;
};

class PacketSending : public ::testing::Test
{
protected:
    QByteArray send(int code, int length, const QByteArray &payload, bool keep = true)
    {
        frames.frames.clear();
        sender.SendPacket(code, length, payload, keep);
        return frames.frames.isEmpty() ? QByteArray() : frames.frames.first();
    }

    DebugLog log;
    DiagnosticRecorder recorder{log};
    FrameRecorder frames;
    PendingRecorder pending;
    PacketSender sender{&frames, &pending, &log};
};
} // namespace

TEST_F(PacketSending, ClockRequestFrameIsByteExact)
{
    EXPECT_EQ(send(4, 2, bytes("00 00")), bytes("7E 04 00 02 30 30 00 00 00 00 7E"));
    EXPECT_EQ(send(37, 0, QByteArray()), bytes("7E 25 00 00 30 30 00 00 7E"));
}

TEST_F(PacketSending, BytesFrom70To7FAreEscapedUnchanged)
{
    EXPECT_EQ(send(0x70, 0, QByteArray()), bytes("7E 7D 70 00 00 30 30 00 00 7E"));
    EXPECT_EQ(send(16, 4, bytes("7E 70 7F 6F")), bytes("7E 10 00 04 30 30 7D 7E 7D 70 7D 7F 6F 00 00 7E"));
    EXPECT_EQ(PacketSender::StuffBytes(bytes("7D 80 FF 00")), bytes("7D 7D 80 FF 00"));
}

TEST_F(PacketSending, LengthTravelsHighByteFirst)
{
    EXPECT_EQ(send(16, 256, QByteArray(256, '\1')).mid(1, 3), bytes("10 01 00"));
    EXPECT_EQ(send(16, 300, QByteArray(300, '\1')).mid(1, 3), bytes("10 01 2C"));
    EXPECT_EQ(send(16, 400, QByteArray(400, '\1')).mid(1, 3), bytes("10 01 90"));
    EXPECT_EQ(send(16, 0x170, QByteArray(0x170, '\1')).mid(1, 4), bytes("10 01 7D 70"));
}

TEST_F(PacketSending, PayloadLongerThanLengthIsCutShorterIsRefused)
{
    EXPECT_EQ(send(4, 2, bytes("01 02 03 04")), bytes("7E 04 00 02 30 30 01 02 00 00 7E"));
    EXPECT_EQ(send(4, 5, bytes("01 02 03 04")), QByteArray());
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("Module1.SendPacket"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Packlen is greater than Len(PackString) (5 - 4Packet not sent"));
    // The pending packet and the timer are set before the length is checked.
    EXPECT_EQ(pending.stored.length, 5);
    EXPECT_EQ(pending.timerStarts, 2);
}

TEST_F(PacketSending, KeepForRetryStoresThePacketAndEverySendStartsTheTimer)
{
    send(12, 2, bytes("05 00"), true);
    EXPECT_EQ(pending.stored.type, 12);
    EXPECT_EQ(pending.stored.payload, bytes("05 00"));
    send(13, 2, bytes("06 00"), false);
    EXPECT_EQ(pending.stored.type, 12);
    EXPECT_EQ(pending.timerStarts, 2);
}

TEST_F(PacketSending, TypeMinusOneDoesNothingAtAll)
{
    EXPECT_FALSE(sender.SendPacket(-1, 2, bytes("00 00"), true));
    EXPECT_TRUE(frames.frames.isEmpty());
    EXPECT_EQ(pending.stored.type, -1);
    EXPECT_EQ(pending.timerStarts, 0);
}
