#include "Receiver.h"
#include "TestSupport.h"

namespace {
class Receiving : public ::testing::Test
{
protected:
    QList<QByteArray> feed(const char *hexBytes)
    {
        packets.clear();
        receiver.ProcessInput(bytes(hexBytes));
        return packets;
    }

    QList<QByteArray> packets;
    Receiver receiver{[this](const QByteArray &content) { packets.append(content); }};
};
} // namespace

TEST_F(Receiving, EmptyFramesAreDroppedAndTheNextFrameArrivesWhole)
{
    EXPECT_EQ(feed("7E 7E 0A 00 02 7E"), QList<QByteArray>{bytes("0A 00 02")});
    EXPECT_EQ(feed("7E 01 7E 7E 02 7E"), (QList<QByteArray>{bytes("01"), bytes("02")}));
}

TEST_F(Receiving, GarbageBeforeTheFirstDelimiterIsSkipped)
{
    receiver.ClearInput();
    EXPECT_EQ(feed("00 41 7D 70 FF 7E 04 05 7E"), QList<QByteArray>{bytes("04 05")});
}

TEST_F(Receiving, EscapedBytesAreData)
{
    EXPECT_EQ(feed("7E 0A 7D 7E 7E"), QList<QByteArray>{bytes("0A 7E")});
    EXPECT_EQ(feed("7E 7D 7D 7D 70 7D 7F 7E"), QList<QByteArray>{bytes("7D 70 7F")});
}

TEST_F(Receiving, EscapeBeforeALowByteWaitsForTheNextStuffedByte)
{
    EXPECT_EQ(feed("7E 7D 41 70 7E"), QList<QByteArray>{bytes("41 70")});
}

TEST_F(Receiving, StrayUnescapedBytesInAFrameAreDropped)
{
    EXPECT_EQ(feed("7E 01 70 7C 7F 02 7E"), QList<QByteArray>{bytes("01 02")});
}

TEST_F(Receiving, FramesSplitAcrossChunksArriveOnce)
{
    EXPECT_TRUE(feed("7E 0A 7D").isEmpty());
    EXPECT_EQ(feed("7E 0B 7E"), QList<QByteArray>{bytes("0A 7E 0B")});
}

TEST_F(Receiving, AFrameThatNeverClosesIsGivenUp)
{
    receiver.ProcessInput(bytes("7E"));
    receiver.ProcessInput(QByteArray(Receiver::MaxFrameLength + 10, '\x01'));
    EXPECT_EQ(receiver.overlongFrames(), 1);
    EXPECT_TRUE(receiver.waiting());
    EXPECT_EQ(feed("7E 05 7E"), QList<QByteArray>{bytes("05")});
}
