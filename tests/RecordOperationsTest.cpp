#include "RecordClass.h"
#include "TestSupport.h"

namespace {
class RecordOperations : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s.BuildStructure(definitionPacket(1, "VP", 4, {{"Data", 2, 1, 20}}));
        recorder.clear();
    }

    DebugLog log;
    DiagnosticRecorder recorder{log};
    RecordClass s{&log};
};
} // namespace

TEST_F(RecordOperations, PutDataStoresTheImageBetweenHeadAndTrailer)
{
    QByteArray image;
    for (int i = 0; i < 20; ++i)
        image += char(0x70 + i);
    const QByteArray packet = replyPacket(10, 3, image);
    ASSERT_EQ(packet.size(), 31);
    s.PutData(packet);
    EXPECT_EQ(s.record(3), image);
    EXPECT_EQ(s.GetLastSaved(), 3);
    EXPECT_EQ(s.dataFlag(), -1);
}

TEST_F(RecordOperations, PutDataRefusesShortPacketsAndBadIndices)
{
    s.PutData(replyPacket(10, 1, bytes("AA")));
    s.PutData(bytes("0A 00 02 30 30 01"));
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.PutData"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Packet length is only 6. Needs to be min 7"));
    EXPECT_EQ(s.lastSaved(), -1);
    EXPECT_EQ(s.GetLastSaved(), -1);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("No Data Last saved Stored"));

    s.PutData(replyPacket(10, 4, bytes("01")));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Index (4) greater than record count ( 4)"));
    // Seven to ten bytes hold no room for an image.
    s.PutData(bytes("0A 00 02 30 30 01 00 55 00"));
    EXPECT_EQ(s.record(1), QByteArray());
}

TEST_F(RecordOperations, UsedMapCountsEveryRecordUsedUntilOneArrives)
{
    EXPECT_TRUE(s.GetRecordUsed(0));
    EXPECT_TRUE(s.GetRecordUsed(1000));
    s.PutUsed(replyPacket(31, 1, bytes("01 02")));
    EXPECT_EQ(s.usedMap(), bytes("01 02"));
    EXPECT_TRUE(s.GetRecordUsed(0));
    EXPECT_FALSE(s.GetRecordUsed(1));
    EXPECT_TRUE(s.GetRecordUsed(9));
    EXPECT_FALSE(s.GetRecordUsed(16));
    EXPECT_TRUE(recorder.empty());
    EXPECT_FALSE(s.GetRecordUsed(24));
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.GetRecordUsed"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Outside Range"));
    EXPECT_FALSE(s.GetRecordUsed(-1));
}

TEST_F(RecordOperations, PutBlankFillsWithFFAndGrowsTheTable)
{
    s.PutBlank(1);
    EXPECT_EQ(s.record(1), QByteArray(20, char(0xFF)));
    s.PutBlank(4);
    EXPECT_EQ(s.Records(), 5);
    EXPECT_EQ(s.record(4), QByteArray(20, char(0xFF)));
    EXPECT_EQ(s.record(5), QByteArray());
    EXPECT_EQ(s.GetLastSaved(), 4);
    s.PutBlank(-1);
    EXPECT_EQ(s.Records(), 5);
    EXPECT_FALSE(recorder.empty());
}

TEST_F(RecordOperations, SendDataPrefixesTheIndex)
{
    s.PutData(replyPacket(10, 3, bytes("41 42 43 44")));
    EXPECT_EQ(s.SendData(3), bytes("03 00 41 42 43 44"));
    EXPECT_EQ(s.SendData(4), QByteArray());
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.SendData (") + QString::fromLatin1(s.Name()) + QStringLiteral(")"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Index (4) greater than record count ( 4)"));
}

TEST_F(RecordOperations, ChecksumSumsEveryByteButTheFirst)
{
    s.PutData(replyPacket(10, 0, bytes("01 02 03")));
    EXPECT_EQ(s.CalcChecksum(0), 5);
    s.PutData(replyPacket(10, 1, bytes("00 FF FF")));
    EXPECT_EQ(s.CalcChecksum(1), 0xFE);
}

TEST_F(RecordOperations, CopyRecordChecksBothIndices)
{
    s.PutData(replyPacket(10, 0, bytes("01 02 03")));
    s.CopyRecord(0, 2);
    EXPECT_EQ(s.record(2), bytes("01 02 03"));
    EXPECT_EQ(s.GetLastSaved(), 2);
    s.CopyRecord(4, 1);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("CpyFrom (4) greater than record count ( 4)"));
    s.CopyRecord(0, 7);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("CpyTo (7) greater than record count ( 4)"));
    EXPECT_EQ(s.record(1), QByteArray());
}
