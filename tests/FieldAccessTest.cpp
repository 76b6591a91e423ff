#include "RecordClass.h"
#include "TestSupport.h"

namespace {
// RingType 1-2, Small 3, Name 4-11, Number 12-13, Bits 14-29, Wide 30-31, Tail 32-33
class FieldAccess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s.BuildStructure(definitionPacket(4, "ACL", 3,
                                          {{"RingType", 2, 2, 0},
                                           {"Small", 2, 1, 0},
                                           {"Name", 4, 1, 8},
                                           {"Number", 6, 2, 0},
                                           {"Bits", 3, 1, 16},
                                           {"Wide", 3, 2, 0},
                                           {"Tail", 8, 2, 0}}));
        for (int i = 0; i < s.Records(); ++i)
            s.PutBlank(i);
        recorder.clear();
    }

    QByteArray bytesAt(int rec, int pos, int n) const { return s.record(rec).mid(pos - 1, n); }

    DebugLog log;
    DiagnosticRecorder recorder{log};
    RecordClass s{&log};
    bool changed = false;
};
} // namespace

TEST_F(FieldAccess, NamesMatchRegardlessOfCase)
{
    s.SetInteger("RingType", 0, 0x1234);
    EXPECT_EQ(s.GetInteger("ringtype", 0), 4660);
    EXPECT_EQ(s.GetInteger("RINGTYPE", 0), 4660);
}

TEST_F(FieldAccess, IntegersAreUnsignedLittleEndian)
{
    EXPECT_EQ(s.GetInteger("Small", 0), 255);
    EXPECT_EQ(s.GetInteger("RingType", 0), 65535);
    s.SetInteger("Small", 0, -1, 0, &changed);
    EXPECT_EQ(bytesAt(0, 3, 1), bytes("FF"));
    EXPECT_FALSE(changed);
    s.SetInteger("Small", 0, 300, 0, &changed);
    EXPECT_EQ(bytesAt(0, 3, 1), bytes("2C"));
    EXPECT_TRUE(changed);
    EXPECT_TRUE(recorder.empty());
}

TEST_F(FieldAccess, ChangedIsRaisedOnlyWhenStoredBytesChange)
{
    s.SetInteger("RingType", 1, 7, 0, &changed);
    EXPECT_TRUE(changed);
    changed = false;
    s.SetInteger("RingType", 1, 7, 0, &changed);
    s.SetString("Name", 1, "OP", &changed);
    EXPECT_TRUE(changed);
    changed = false;
    s.SetString("Name", 1, "OP", &changed);
    s.SetDigit("Number", 1, "12", 0, &changed);
    EXPECT_TRUE(changed);
    changed = false;
    s.SetDigit("Number", 1, "12", 0, &changed);
    s.SetBoolean("Bits", 1, 3, false, 0, &changed);
    EXPECT_TRUE(changed);
    changed = false;
    s.SetBoolean("Bits", 1, 3, false, 0, &changed);
    EXPECT_FALSE(changed);
}

TEST_F(FieldAccess, StringsArePaddedWithNulsAndMustLeaveRoomForOne)
{
    s.SetString("Name", 0, "DIAL", &changed);
    EXPECT_EQ(bytesAt(0, 4, 8), QByteArray("DIAL\0\0\0\0", 8));
    EXPECT_EQ(s.GetString("name", 0), QByteArray("DIAL"));

    const QByteArray before = s.record(0);
    s.SetString("Name", 0, "EIGHTCHR");
    EXPECT_EQ(s.record(0), before);
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.SetString"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("New Data Len (8) greater than field length ( 8)"));

    s.SetString("Name", 0, "\xE9t\xE9");
    EXPECT_EQ(s.GetString("Name", 0), QByteArray("\xE9t\xE9"));
}

TEST_F(FieldAccess, DigitsPackTwoPerByteFromTheLastByte)
{
    s.SetDigit("Number", 0, "123");
    EXPECT_EQ(bytesAt(0, 12, 2), bytes("23 01"));
    EXPECT_EQ(s.GetDigit("Number", 0), QByteArray("123"));

    s.SetDigit("Number", 0, "*0#");
    EXPECT_EQ(bytesAt(0, 12, 2), bytes("AC 0B"));
    EXPECT_EQ(s.GetDigit("Number", 0), QByteArray("*0#"));

    s.SetDigit("Number", 0, "AB");
    EXPECT_EQ(s.GetDigit("Number", 0), QByteArray("xx"));

    s.SetDigit("Number", 0, "12345");
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Number being stored greater than field size"));
    EXPECT_EQ(s.GetDigit("Number", 0), QByteArray("xx"));

    EXPECT_EQ(s.GetDigit("Number", 1), QByteArray("++++"));
}

TEST_F(FieldAccess, FieldEndingAtTheLastByteReadsAsIntegerButNotAsDigits)
{
    s.SetInteger("Tail", 0, 0x42);
    EXPECT_EQ(s.GetInteger("Tail", 0), 0x42);
    EXPECT_TRUE(recorder.empty());
    EXPECT_EQ(s.GetDigit("Tail", 0), QByteArray());
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Start Posn (32,2) greater than record length ( 33)"));
    s.SetDigit("Tail", 0, "1");
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.SetDigit"));
    EXPECT_EQ(s.GetInteger("Tail", 0), 0x42);
}

TEST_F(FieldAccess, BitsAboveSevenReachTheFollowingBytes)
{
    s.ClearAllBoolean("Bits", 0, 0);
    s.ClearAllBoolean("Bits", 0, 1);
    s.SetBoolean("Bits", 0, 9, true);
    EXPECT_EQ(bytesAt(0, 14, 2), bytes("00 02"));
    EXPECT_FALSE(s.GetBoolean("Bits", 0, 9));
    EXPECT_TRUE(s.GetBit("Bits", 0, 9));
    EXPECT_TRUE(s.GetBoolean("Bits", 0, 1, 1));

    s.ClearAllBoolean("Wide", 0, 0);
    s.SetBoolean("Wide", 0, 12, true);
    EXPECT_EQ(bytesAt(0, 30, 2), bytes("00 10"));
    EXPECT_TRUE(s.GetBit("Wide", 0, 12));
    EXPECT_FALSE(s.GetBit("Wide", 0, 11));
    // Past the field's two bytes there is nothing to read.
    EXPECT_FALSE(s.GetBit("Wide", 0, 16));
    EXPECT_TRUE(recorder.empty());
}

TEST_F(FieldAccess, ElementIndexOutsideTheFieldAddressesElementZero)
{
    s.ClearAllBoolean("Bits", 0, 0);
    s.SetBoolean("Bits", 0, 0, true, 16);
    s.SetBoolean("Bits", 0, 1, true, -1);
    EXPECT_EQ(bytesAt(0, 14, 1), bytes("03"));
    s.ClearAllBoolean("Bits", 0, 3);
    EXPECT_EQ(bytesAt(0, 17, 1), bytes("00"));
}

TEST_F(FieldAccess, FailuresReportTheirSourceAndLeaveRecordsAlone)
{
    const QByteArray before = s.record(0);
    EXPECT_EQ(s.GetInteger("Missing", 0), 0);
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.GetInteger"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Missing not found in ACL") + QString(13, QChar(0)) + QStringLiteral(")"));

    EXPECT_EQ(s.GetString("Missing", 0), QByteArray("No String"));
    EXPECT_EQ(s.GetDigit("Missing", 0), QByteArray("No Digits"));

    EXPECT_FALSE(s.GetBoolean("Name", 0, 0));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Name is not type Boolean (is a Type 4)"));
    s.SetInteger("Name", 0, 1);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Name is not type Integer (is a Type 4)"));
    EXPECT_EQ(s.GetString("Small", 0), QByteArray());
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Small is not type String (is a Type 2)"));

    EXPECT_EQ(s.GetInteger("Small", 3), 0);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Index (3) greater than record count ( 3)"));
    s.SetBoolean("Bits", -1, 0, true);
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.SetBoolean"));

    recorder.clear();
    s.SetDigit("Name", 0, "12");
    EXPECT_TRUE(recorder.empty());
    EXPECT_EQ(s.record(0), before);
}

TEST_F(FieldAccess, ShortRecordsRefuseReadsAndWritesPastTheirEnd)
{
    s.PutData(replyPacket(12, 2, bytes("01 02 03")));
    EXPECT_EQ(s.GetInteger("RingType", 2), 0x0201);
    EXPECT_EQ(s.GetInteger("Small", 2), 3);
    EXPECT_EQ(s.GetInteger("Tail", 2), 0);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Start Posn (32,2) greater than record length ( 3)"));
    EXPECT_FALSE(s.GetBoolean("Bits", 2, 0));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Start Posn (14) greater than record length ( 3)"));

    s.SetInteger("Tail", 2, 5);
    s.SetBoolean("Bits", 2, 0, true);
    s.SetString("Name", 2, "X");
    s.ClearAllBoolean("Bits", 2, 0);
    EXPECT_EQ(s.record(2), bytes("01 02 03"));
    EXPECT_EQ(recorder.entries().size(), 6);
}
