#include "link/PacketSender.h"
#include "link/FrameSink.h"
#include "link/PendingPacketStore.h"
#include "support/TestSupport.h"

namespace {
class PacketSending : public ::testing::Test, public FrameSink, public PendingPacketStore
{
protected:
    void PackSend(const QByteArray &frame) override { frames.append(frame); }
    void storePendingPacket(int type, int length, const QByteArray &payload) override
    {
        stored = {type, length, payload};
    }
    void startRetransmissionTimer() override { ++timerStarts; }

    QByteArray send(int code, int length, const QByteArray &payload, bool keep = true)
    {
        frames.clear();
        sender.SendPacket(code, length, payload, keep);
        return frames.value(0);
    }

    DebugLog log;
    DiagnosticRecorder recorder{log};
    QList<QByteArray> frames;
    std::tuple<int, int, QByteArray> stored{-1, 0, QByteArray()};
    int timerStarts = 0;
    PacketSender sender{this, this, &log};
};
} // namespace

TEST_F(PacketSending, FramesAreByteExactWithBytesFrom70To7FEscapedAndTheLengthHighByteFirst)
{
    EXPECT_EQ(send(4, 2, bytes("00 00")), bytes("7E 04 00 02 30 30 00 00 00 00 7E"));
    EXPECT_EQ(send(37, 0, QByteArray()), bytes("7E 25 00 00 30 30 00 00 7E"));
    EXPECT_EQ(send(0x70, 0, QByteArray()), bytes("7E 7D 70 00 00 30 30 00 00 7E"));
    EXPECT_EQ(send(16, 4, bytes("7E 70 7F 6F")), bytes("7E 10 00 04 30 30 7D 7E 7D 70 7D 7F 6F 00 00 7E"));
    EXPECT_EQ(PacketSender::StuffBytes(bytes("7D 80 FF 00")), bytes("7D 7D 80 FF 00"));
    const std::pair<int, const char *> lengths[] = {
        {256, "10 01 00"}, {300, "10 01 2C"}, {400, "10 01 90"}, {0x170, "10 01 7D 70"}};
    for (const auto &[length, head] : lengths)
        EXPECT_EQ(send(16, length, QByteArray(length, '\1')).mid(1, bytes(head).size()), bytes(head)) << length;
}

TEST_F(PacketSending, APayloadLongerThanTheLengthIsCutAndAShorterOneIsRefusedAfterThePacketIsKept)
{
    EXPECT_EQ(send(4, 2, bytes("01 02 03 04")), bytes("7E 04 00 02 30 30 01 02 00 00 7E"));
    EXPECT_EQ(send(4, 5, bytes("01 02 03 04")), QByteArray());
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("Module1.SendPacket"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Packlen is greater than Len(PackString) (5 - 4Packet not sent"));
    EXPECT_EQ(std::get<1>(stored), 5);
    EXPECT_EQ(timerStarts, 2);
}

TEST_F(PacketSending, KeepForRetryStoresThePacketEverySendStartsTheTimerAndTypeMinusOneDoesNothing)
{
    EXPECT_FALSE(sender.SendPacket(-1, 2, bytes("00 00"), true));
    EXPECT_TRUE(frames.isEmpty());
    EXPECT_EQ(std::get<0>(stored), -1);
    EXPECT_EQ(timerStarts, 0);

    send(12, 2, bytes("05 00"), true);
    EXPECT_EQ(stored, std::make_tuple(12, 2, bytes("05 00")));
    send(13, 2, bytes("06 00"), false);
    EXPECT_EQ(std::get<0>(stored), 12);
    EXPECT_EQ(timerStarts, 2);
}
