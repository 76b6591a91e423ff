#include "FieldDef.h"
#include "RecordClass.h"
#include "TestSupport.h"

namespace {
QByteArray threeFieldDefinition()
{
    return definitionPacket(1, QByteArrayLiteral("VIRTPORTS"), 4, {{"Index", 2, 2, 0}, {"Name", 4, 1, 16}, {"Flag", 3, 1, 0}});
}

// RingType 1-2, Small 3, Name 4-11, Number 12-13, Bits 14-29, Wide 30-31, Tail 32-33
class RecordClassTest : public ::testing::Test
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

TEST(RecordLayout, FieldsFollowOneAnotherFromByteOneAndNamesKeepTheirBytesAndMatchInAnyCase)
{
    DebugLog log;
    RecordClass s(&log);
    s.BuildStructure(threeFieldDefinition());
    EXPECT_EQ(s.Items(), 3);
    EXPECT_EQ(s.Records(), 4);
    EXPECT_EQ(s.StructSize(), 19);
    EXPECT_EQ(s.field(1).StartPosn, 1);
    EXPECT_EQ(s.field(2).StartPosn, 3);
    EXPECT_EQ(s.field(3).StartPosn, 19);
    EXPECT_EQ(s.field(2).Items, 16);
    EXPECT_EQ(s.record(0), QByteArray());
    EXPECT_EQ(s.Name(), QByteArray("VIRTPORTS").leftJustified(16, '\0'));
    EXPECT_EQ(s.GetItems("NAME"), 16);
    EXPECT_EQ(s.GetType("flag"), 3);
    EXPECT_EQ(s.GetItems("Missing"), 0);
    EXPECT_EQ(s.GetType("Missing"), 0);

    RecordClass copy(&log);
    copy.BuildStructure(replyPacket(15, 1, s.DefinitionData()));
    for (int i = 0; i <= s.Items(); ++i)
        EXPECT_EQ(copy.field(i), s.field(i));
    EXPECT_EQ(copy.Name(), s.Name());

    s.BuildStructure(definitionPacket(2, QByteArrayLiteral("EXT"), 1, {{"ABCDEFGHIJKLMNOP", 4, 1, 4}, {"Fl", 3, 1, 0}}));
    EXPECT_EQ(s.ItemsNames(1), QByteArray("ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(s.ItemsNames(2), QByteArray("Fl"));
    s.PutBlank(0);
    s.SetString("abcdefghijklmnop", 0, "AB");
    EXPECT_EQ(s.GetString("ABCDEFGHIJKLMNOP", 0), QByteArray("AB"));
}

TEST(RecordLayout, TheFirstFieldOfANameAnswersItAndPlaceholdersHaveNoName)
{
    DebugLog log;
    RecordClass s(&log);
    s.makeStruct("T", 4, 1, 8, 0);
    s.setField(1, "Code", 0, 2, 1, FieldType::Integer);
    s.setField(2, "CODE", 0, 2, 3, FieldType::Digit);
    s.setField(3, "code", 0, 2, 5, FieldType::Boolean);
    s.setField(4, "NULL", 0, 2, 7, FieldType::Integer);
    s.PutBlank(0);
    EXPECT_EQ(s.fieldIndex("cOdE"), 1);
    EXPECT_EQ(s.GetType("code"), FieldType::Integer);
    // Digits are written to the first digit field of the name, behind the integer.
    s.SetDigit("code", 0, "12");
    EXPECT_EQ(s.record(0), bytes("FF FF 12 00 FF FF FF FF"));

    s.setField(1, "Other", 0, 2, 1, FieldType::Integer);
    EXPECT_EQ(s.fieldIndex("Code"), 2);
    EXPECT_EQ(s.fieldIndex("OTHER"), 1);
    EXPECT_EQ(s.fieldIndex("Missing"), 0);
    EXPECT_EQ(s.ItemsNames(4), QByteArray());
    EXPECT_EQ(s.ItemsNames(1), QByteArray("Other"));
    EXPECT_EQ(s.ItemsNames(5), QByteArray());
    EXPECT_EQ(s.ItemsNames(-1), QByteArray());
}

TEST(RecordLayout, ShortPacketsAndHugeFieldsGiveZerosWithoutFailing)
{
    DebugLog log;
    RecordClass s(&log);
    QByteArray packet = threeFieldDefinition();
    packet.truncate(40);
    s.BuildStructure(packet);
    EXPECT_EQ(s.Items(), 3);
    EXPECT_EQ(s.field(2).Size, 0);
    EXPECT_EQ(s.field(3).Name, QByteArray());

    s.BuildStructure(definitionPacket(1, "BIG", 1, {{"A", 2, 32767, 32767}, {"B", 2, 32767, 32767}, {"C", 2, 32767, 32767}}));
    EXPECT_EQ(s.field(1).StartPosn, 1);
    EXPECT_EQ(s.Items(), 3);
    s.PutBlank(0);
    EXPECT_EQ(s.GetInteger("C", 0), 0);
}

TEST(RecordLayout, ListingsAreWrittenOnlyWhileDebugDisplayIsSet)
{
    DebugLog log;
    RecordClass s(&log);
    s.BuildStructure(threeFieldDefinition());
    const QByteArray record = bytes("05 00") + QByteArray("DIAL").leftJustified(16, '\0') + bytes("81");
    s.ShowStructure();
    s.ShowPacket(replyPacket(10, 2, record));
    EXPECT_TRUE(log.text().isEmpty());

    log.setDebugDisplay(true);
    s.ShowStructure();
    EXPECT_EQ(log.text(), QStringLiteral("\r\nStructure Size = 0x13; Name = VIRTPORTS") + QString(7, QChar(0))
                  + QStringLiteral("; Items = 3; Records = 4; Type = 0"
                                   "\r\nMember Size = 0x2; Name = Index; Items = 0; StartPosn = 1; Type = 2"
                                   "\r\nMember Size = 0x1; Name = Name; Items = 16; StartPosn = 3; Type = 4"
                                   "\r\nMember Size = 0x1; Name = Flag; Items = 0; StartPosn = 19; Type = 3"));
    log.clear();
    s.BuildStructure(threeFieldDefinition());
    EXPECT_TRUE(log.text().startsWith(QStringLiteral("\r\nPacket Type = Structure\r\nLength = 0x")));
    EXPECT_TRUE(log.text().contains(QStringLiteral("\r\nMember Size = 0x0001; Name = Name; Items = 0010; Type = 0004")));
    log.clear();
    s.ShowPacket(replyPacket(10, 2, record));
    EXPECT_EQ(log.text(), QStringLiteral("Index = 2\r\nIndex =  0x0005\r\nName = DIAL") + QString(12, QChar(0))
                  + QStringLiteral("\r\nFlag =  0x81"));
}

TEST_F(RecordClassTest, IntegersAreUnsignedLittleEndianUnderAnyCaseOfTheirName)
{
    EXPECT_EQ(s.GetInteger("Small", 0), 255);
    EXPECT_EQ(s.GetInteger("RingType", 0), 65535);
    s.SetInteger("RingType", 0, 0x1234);
    EXPECT_EQ(s.GetInteger("ringtype", 0), 4660);
    EXPECT_EQ(s.GetInteger("RINGTYPE", 0), 4660);
    s.SetInteger("Small", 0, -1, 0, &changed);
    EXPECT_EQ(bytesAt(0, 3, 1), bytes("FF"));
    EXPECT_FALSE(changed);
    s.SetInteger("Small", 0, 300, 0, &changed);
    EXPECT_EQ(bytesAt(0, 3, 1), bytes("2C"));
    EXPECT_TRUE(changed);
    EXPECT_TRUE(recorder.empty());
}

TEST_F(RecordClassTest, ChangedIsRaisedOnlyWhenStoredBytesChange)
{
    const std::pair<const char *, std::function<void(bool *)>> setters[] = {
        {"integer", [this](bool *c) { s.SetInteger("RingType", 1, 7, 0, c); }},
        {"string", [this](bool *c) { s.SetString("Name", 1, "OP", c); }},
        {"digits", [this](bool *c) { s.SetDigit("Number", 1, "12", 0, c); }},
        {"boolean", [this](bool *c) { s.SetBoolean("Bits", 1, 3, false, 0, c); }},
    };
    for (const auto &[kind, set] : setters) {
        SCOPED_TRACE(kind);
        bool first = false;
        bool second = false;
        set(&first);
        set(&second);
        EXPECT_TRUE(first);
        EXPECT_FALSE(second);
    }
}

TEST_F(RecordClassTest, StringsArePaddedWithNulsAndMustLeaveRoomForOne)
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

TEST_F(RecordClassTest, DigitsPackTwoPerByteFromTheLastByte)
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

    // A field ending at the last byte reads as an integer but not as digits.
    s.SetInteger("Tail", 0, 0x42);
    EXPECT_EQ(s.GetInteger("Tail", 0), 0x42);
    recorder.clear();
    EXPECT_EQ(s.GetDigit("Tail", 0), QByteArray());
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Start Posn (32,2) greater than record length ( 33)"));
    s.SetDigit("Tail", 0, "1");
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.SetDigit"));
    EXPECT_EQ(s.GetInteger("Tail", 0), 0x42);
}

TEST_F(RecordClassTest, BitsAboveSevenReachTheFollowingBytesAndElementsOutsideTheFieldMeanElementZero)
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

    s.SetBoolean("Bits", 0, 0, true, 16);
    s.SetBoolean("Bits", 0, 1, true, -1);
    EXPECT_EQ(bytesAt(0, 14, 1), bytes("03"));
    s.ClearAllBoolean("Bits", 0, 3);
    EXPECT_EQ(bytesAt(0, 17, 1), bytes("00"));
}

TEST_F(RecordClassTest, FailuresReportTheirSourceAndLeaveRecordsAlone)
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

TEST_F(RecordClassTest, ShortRecordsRefuseReadsAndWritesPastTheirEnd)
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

TEST_F(RecordClassTest, PutDataStoresTheImageBetweenHeadAndTrailerAndRefusesShortPacketsAndBadIndices)
{
    const QByteArray image = bytes("70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D 7E 7F 80 81 82 83 84 85 86 87 88 89 8A 8B 8C 8D 8E 8F 90");
    s.PutData(replyPacket(10, 1, image));
    EXPECT_EQ(s.record(1), image);
    EXPECT_EQ(s.GetLastSaved(), 1);
    EXPECT_EQ(s.dataFlag(), -1);

    RecordClass fresh(&log);
    fresh.BuildStructure(definitionPacket(1, "VP", 4, {{"Data", 2, 1, 20}}));
    fresh.PutData(replyPacket(10, 1, bytes("AA")));
    fresh.PutData(bytes("0A 00 02 30 30 01"));
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.PutData"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Packet length is only 6. Needs to be min 7"));
    EXPECT_EQ(fresh.lastSaved(), -1);
    EXPECT_EQ(fresh.GetLastSaved(), -1);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("No Data Last saved Stored"));
    fresh.PutData(replyPacket(10, 4, bytes("01")));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Index (4) greater than record count ( 4)"));
    // Seven to ten bytes hold no room for an image.
    fresh.PutData(bytes("0A 00 02 30 30 01 00 55 00"));
    EXPECT_EQ(fresh.record(1), QByteArray());
}

TEST_F(RecordClassTest, UsedMapCountsEveryRecordUsedUntilOneArrives)
{
    RecordClass fresh(&log);
    fresh.BuildStructure(definitionPacket(1, "VP", 20, {{"Data", 2, 1, 0}}));
    EXPECT_TRUE(fresh.GetRecordUsed(0));
    EXPECT_TRUE(fresh.GetRecordUsed(1000));
    fresh.SetRecordUsed(3, true);
    EXPECT_TRUE(fresh.usedMap().isEmpty());
    fresh.PutUsed(replyPacket(31, 1, bytes("01 02")));
    EXPECT_EQ(fresh.usedMap(), bytes("01 02"));
    EXPECT_TRUE(fresh.GetRecordUsed(0));
    EXPECT_FALSE(fresh.GetRecordUsed(1));
    EXPECT_TRUE(fresh.GetRecordUsed(9));
    EXPECT_FALSE(fresh.GetRecordUsed(16));
    EXPECT_TRUE(recorder.empty());
    EXPECT_FALSE(fresh.GetRecordUsed(24));
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.GetRecordUsed"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Outside Range"));
    EXPECT_FALSE(fresh.GetRecordUsed(-1));

    fresh.SetRecordUsed(1, true);
    fresh.SetRecordUsed(0, false);
    fresh.SetRecordUsed(-1, true);
    fresh.SetRecordUsed(20, true);
    EXPECT_EQ(fresh.usedMap(), bytes("02 02"));
}

TEST_F(RecordClassTest, PutBlankGrowsTheTableAndSendDataChecksumAndCopyCheckTheirIndices)
{
    s.PutBlank(3);
    EXPECT_EQ(s.Records(), 4);
    EXPECT_EQ(s.record(3), QByteArray(33, char(0xFF)));
    EXPECT_EQ(s.record(4), QByteArray());
    EXPECT_EQ(s.GetLastSaved(), 3);
    s.PutBlank(-1);
    EXPECT_EQ(s.Records(), 4);
    EXPECT_FALSE(recorder.empty());

    s.PutData(replyPacket(10, 3, bytes("41 42 43 44")));
    EXPECT_EQ(s.SendData(3), bytes("03 00 41 42 43 44"));
    EXPECT_EQ(s.SendData(4), QByteArray());
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.SendData (ACL") + QString(13, QChar(0)) + QStringLiteral(")"));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Index (4) greater than record count ( 4)"));

    s.PutData(replyPacket(10, 0, bytes("01 02 03")));
    EXPECT_EQ(s.CalcChecksum(0), 5);
    s.PutData(replyPacket(10, 1, bytes("00 FF FF")));
    EXPECT_EQ(s.CalcChecksum(1), 0xFE);
    EXPECT_EQ(s.CalcChecksum(3), 0xC9);
    EXPECT_EQ(s.CalcChecksum(4), 0);

    s.CopyRecord(0, 3);
    EXPECT_EQ(s.record(3), bytes("01 02 03"));
    EXPECT_EQ(s.GetLastSaved(), 3);
    s.CopyRecord(4, 1);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("CpyFrom (4) greater than record count ( 4)"));
    s.CopyRecord(0, 4);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("CpyTo (4) greater than record count ( 4)"));
    EXPECT_EQ(s.record(1), bytes("00 FF FF"));
}

TEST_F(RecordClassTest, EqualityWeighsEveryPartOfTheStructure)
{
    const RecordClass same = s;
    EXPECT_TRUE(s == same);
    const std::pair<const char *, std::function<void(RecordClass &)>> changes[] = {
        {"record", [](RecordClass &r) { r.SetInteger("Small", 0, 1); }},
        {"used map", [](RecordClass &r) { r.PutUsed(replyPacket(31, 4, bytes("01"))); }},
        {"send code", [](RecordClass &r) { r.setSendCode(77); }},
    };
    for (const auto &[part, change] : changes) {
        RecordClass other = s;
        change(other);
        EXPECT_FALSE(s == other) << part;
    }
}
