#include "model/RecordClass.h"
#include "model/FieldDef.h"
#include "model/FieldLimits.h"
#include "support/TestSupport.h"

namespace {
QByteArray threeFieldDefinition()
{
    return definitionPacket(1, QByteArrayLiteral("VIRTPORTS"), 4,
                            {{"Index", 2, 2, 0}, {"Name", 4, 1, 16}, {"Flag", 3, 1, 0}});
}

const QString AclName = QStringLiteral("ACL") + QString(13, QChar(0));

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
};
} // namespace

TEST(RecordLayout, FieldsFollowOneAnotherFromByteOneAndNamesKeepTheirBytesAndMatchInAnyCase)
{
    DebugLog log;
    RecordClass s(&log);
    s.BuildStructure(threeFieldDefinition());
    EXPECT_EQ(std::make_tuple(s.Items(), s.Records(), s.StructSize()), std::make_tuple(3, 4, 19));
    EXPECT_EQ(std::make_tuple(s.field(1).StartPosn, s.field(2).StartPosn, s.field(3).StartPosn),
              std::make_tuple(1, 3, 19));
    EXPECT_EQ(s.Name(), QByteArray("VIRTPORTS").leftJustified(16, '\0'));
    EXPECT_EQ(std::make_tuple(s.GetItems("NAME"), s.GetType("flag"), s.GetItems("Missing"), s.GetType("Missing")),
              std::make_tuple(16, 3, 0, 0));

    RecordClass copy(&log);
    copy.BuildStructure(replyPacket(15, 1, s.DefinitionData()));
    for (int i = 0; i <= s.Items(); ++i)
        EXPECT_EQ(copy.field(i), s.field(i));
    EXPECT_EQ(copy.Name(), s.Name());

    s.BuildStructure(
        definitionPacket(2, QByteArrayLiteral("EXT"), 1, {{"ABCDEFGHIJKLMNOP", 4, 1, 4}, {"Fl", 3, 1, 0}}));
    EXPECT_EQ(s.ItemsNames(1), QByteArray("ABCDEFGHIJKLMNOP"));
    s.PutBlank(0);
    s.SetString("abcdefghijklmnop", 0, "AB");
    EXPECT_EQ(s.GetString("ABCDEFGHIJKLMNOP", 0), QByteArray("AB"));
}

TEST(RecordLayout, TheFirstFieldOfANameAnswersItAndPlaceholdersHaveNoName)
{
    RecordClass s;
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
    EXPECT_EQ(std::make_tuple(s.fieldIndex("Code"), s.fieldIndex("OTHER"), s.fieldIndex("Missing")),
              std::make_tuple(2, 1, 0));
    for (int i : {4, 5, -1})
        EXPECT_EQ(s.ItemsNames(i), QByteArray()) << i;
    EXPECT_EQ(s.ItemsNames(1), QByteArray("Other"));
}

TEST(RecordLayout, ShortPacketsAndHugeFieldsGiveZerosWithoutFailing)
{
    RecordClass s;
    s.BuildStructure(threeFieldDefinition().left(40));
    EXPECT_EQ(s.Items(), 3);
    EXPECT_EQ(s.field(2).Size, 0);
    EXPECT_EQ(s.field(3).Name, QByteArray());
    s.BuildStructure(
        definitionPacket(1, "BIG", 1, {{"A", 2, 32767, 32767}, {"B", 2, 32767, 32767}, {"C", 2, 32767, 32767}}));
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
    EXPECT_EQ(log.text(),
              QStringLiteral("\r\nStructure Size = 0x13; Name = VIRTPORTS") + QString(7, QChar(0))
                  + QStringLiteral("; Items = 3; Records = 4; Type = 0"
                                   "\r\nMember Size = 0x2; Name = Index; Items = 0; StartPosn = 1; Type = 2"
                                   "\r\nMember Size = 0x1; Name = Name; Items = 16; StartPosn = 3; Type = 4"
                                   "\r\nMember Size = 0x1; Name = Flag; Items = 0; StartPosn = 19; Type = 3"));
    log.clear();
    s.BuildStructure(threeFieldDefinition());
    EXPECT_TRUE(log.text().startsWith(QStringLiteral("\r\nPacket Type = Structure\r\nLength = 0x")));
    EXPECT_TRUE(
        log.text().contains(QStringLiteral("\r\nMember Size = 0x0001; Name = Name; Items = 0010; Type = 0004")));
    log.clear();
    s.ShowPacket(replyPacket(10, 2, record));
    EXPECT_EQ(log.text(),
              QStringLiteral("Index = 2\r\nIndex =  0x0005\r\nName = DIAL") + QString(12, QChar(0))
                  + QStringLiteral("\r\nFlag =  0x81"));
}

TEST_F(RecordClassTest, SettersStoreTheExchangesBytesAndSayWhetherTheyChanged)
{
    struct Case
    {
        const char *name;
        int rec;
        std::function<void(int, bool *)> set;
        int pos;
        QByteArray stored;
        bool changes;
    };
    const Case cases[] = {
        {"integers are little-endian", 0, [this](int r, bool *c) { s.SetInteger("RingType", r, 0x1234, 0, c); }, 1,
         bytes("34 12"), true},
        {"-1 is all ones", 1, [this](int r, bool *c) { s.SetInteger("Small", r, -1, 0, c); }, 3, bytes("FF"), false},
        {"strings are padded with NULs", 0, [this](int r, bool *c) { s.SetString("Name", r, "DIAL", c); }, 4,
         QByteArray("DIAL\0\0\0\0", 8), true},
        {"texts are single bytes", 1, [this](int r, bool *c) { s.SetString("Name", r, "\xE9t\xE9", c); }, 4,
         QByteArray("\xE9t\xE9\0\0\0\0\0", 8), true},
        {"digits pack two to a byte from the last", 0, [this](int r, bool *c) { s.SetDigit("Number", r, "123", 0, c); },
         12, bytes("23 01"), true},
        {"star zero hash", 1, [this](int r, bool *c) { s.SetDigit("Number", r, "*0#", 0, c); }, 12, bytes("AC 0B"),
         true},
        {"bits above seven reach the next byte", 0, [this](int r, bool *c) { s.SetBoolean("Bits", r, 9, false, 0, c); },
         14, bytes("FF FD"), true},
        {"bits of a wide element", 0, [this](int r, bool *c) { s.SetBoolean("Wide", r, 12, false, 0, c); }, 30,
         bytes("FF EF"), true},
        {"elements outside the field mean element zero", 2,
         [this](int r, bool *c) { s.SetBoolean("Bits", r, 1, false, 16, c); }, 14, bytes("FD FF"), true},
        {"below zero too", 2, [this](int r, bool *c) { s.SetBoolean("Bits", r, 0, false, -1, c); }, 14, bytes("FC FF"),
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bool first = false;
        bool second = false;
        c.set(c.rec, &first);
        c.set(c.rec, &second);
        EXPECT_EQ(bytesAt(c.rec, c.pos, int(c.stored.size())), c.stored);
        EXPECT_EQ(first, c.changes);
        EXPECT_FALSE(second);
    }
    s.ClearAllBoolean("Bits", 2, 3);
    EXPECT_EQ(bytesAt(2, 14, 4), bytes("FC FF FF 00"));
    EXPECT_TRUE(recorder.empty());
}

TEST_F(RecordClassTest, GettersReadWhatTheSettersWroteUnderAnyCaseOfTheName)
{
    EXPECT_EQ(std::make_tuple(s.GetInteger("Small", 0), s.GetInteger("RingType", 0)), std::make_tuple(255, 65535));
    EXPECT_EQ(s.GetDigit("Number", 1), QByteArray("++++"));
    // A byte of ones holds no bit outside 0-7.
    EXPECT_EQ(std::make_tuple(s.GetBoolean("Bits", 1, 7), s.GetBoolean("Bits", 1, 8), s.GetBoolean("Bits", 1, -1)),
              std::make_tuple(true, false, false));
    s.SetInteger("RingType", 0, 0x1234);
    s.SetString("Name", 0, "DIAL");
    s.SetDigit("Number", 0, "*0#");
    s.ClearAllBoolean("Bits", 0, 1);
    s.SetBoolean("Bits", 0, 9, true);
    EXPECT_EQ(std::make_tuple(s.GetInteger("ringtype", 0), s.GetInteger("RINGTYPE", 0)), std::make_tuple(4660, 4660));
    EXPECT_EQ(s.GetString("name", 0), QByteArray("DIAL"));
    EXPECT_EQ(s.GetDigit("NUMBER", 0), QByteArray("*0#"));
    EXPECT_FALSE(s.GetBoolean("Bits", 0, 9));
    EXPECT_TRUE(s.GetBit("Bits", 0, 9));
    EXPECT_TRUE(s.GetBoolean("Bits", 0, 1, 1));
    EXPECT_FALSE(s.GetBit("Bits", 0, 10));
    s.ClearAllBoolean("Wide", 0, 0);
    s.SetBoolean("Wide", 0, 12, true);
    EXPECT_EQ(std::make_tuple(s.GetBit("Wide", 0, 12), s.GetBit("Wide", 0, 11)), std::make_tuple(true, false));
    // Past the field's two bytes there is nothing to read.
    EXPECT_FALSE(s.GetBit("Wide", 0, 16));
    s.SetDigit("Number", 0, "AB");
    EXPECT_EQ(s.GetDigit("Number", 0), QByteArray("xx"));
    EXPECT_TRUE(recorder.empty());
}

TEST_F(RecordClassTest, RefusedReadsAndWritesNameTheirSourceAndReasonAndLeaveRecordsAlone)
{
    s.PutData(replyPacket(12, 2, bytes("01 02 03")));
    EXPECT_EQ(std::make_tuple(s.GetInteger("RingType", 2), s.GetInteger("Small", 2)), std::make_tuple(0x0201, 3));
    const QByteArray before = s.record(0);
    const std::pair<std::function<void()>, QString> refused[] = {
        {[this] { EXPECT_EQ(s.GetInteger("Missing", 0), 0); },
         QStringLiteral("RecordClass.GetInteger: Missing not found in ") + AclName + QStringLiteral(")")},
        {[this] { EXPECT_EQ(s.GetString("Missing", 0), QByteArray("No String")); },
         QStringLiteral("RecordClass.GetString: Missing not found in ") + AclName + QStringLiteral(")")},
        {[this] { EXPECT_EQ(s.GetDigit("Missing", 0), QByteArray("No Digits")); },
         QStringLiteral("RecordClass.GetDigit: Missing not found in ") + AclName + QStringLiteral(")")},
        {[this] { EXPECT_FALSE(s.GetBoolean("Name", 0, 0)); },
         QStringLiteral("RecordClass.GetBoolean: Name is not type Boolean (is a Type 4)")},
        {[this] { s.SetInteger("Name", 0, 1); },
         QStringLiteral("RecordClass.SetInteger: Name is not type Integer (is a Type 4)")},
        {[this] { EXPECT_EQ(s.GetString("Small", 0), QByteArray()); },
         QStringLiteral("RecordClass.GetString: Small is not type String (is a Type 2)")},
        {[this] { EXPECT_EQ(s.GetInteger("Small", 3), 0); },
         QStringLiteral("RecordClass.GetInteger: Index (3) greater than record count ( 3)")},
        {[this] { s.SetBoolean("Bits", -1, 0, true); },
         QStringLiteral("RecordClass.SetBoolean: Index (-1) greater than record count ( 3)")},
        {[this] { s.SetString("Name", 0, "EIGHTCHR"); },
         QStringLiteral("RecordClass.SetString: New Data Len (8) greater than field length ( 8)")},
        {[this] { s.SetDigit("Number", 0, "12345"); },
         QStringLiteral("RecordClass.SetDigit: Number being stored greater than field size")},
        // A field ending at the last byte reads as an integer but not as digits.
        {[this] { EXPECT_EQ(s.GetDigit("Tail", 0), QByteArray()); },
         QStringLiteral("RecordClass.GetDigit: Start Posn (32,2) greater than record length ( 33)")},
        {[this] { EXPECT_EQ(s.GetInteger("Tail", 2), 0); },
         QStringLiteral("RecordClass.GetInteger: Start Posn (32,2) greater than record length ( 3)")},
        {[this] { EXPECT_FALSE(s.GetBoolean("Bits", 2, 0)); },
         QStringLiteral("RecordClass.GetBoolean: Start Posn (14) greater than record length ( 3)")},
    };
    for (const auto &[act, diagnostic] : refused) {
        recorder.clear();
        act();
        EXPECT_EQ(recorder.last(), diagnostic);
    }
    recorder.clear();
    s.SetInteger("Tail", 2, 5);
    s.SetBoolean("Bits", 2, 0, true);
    s.SetString("Name", 2, "X");
    s.ClearAllBoolean("Bits", 2, 0);
    s.SetDigit("Tail", 0, "1");
    EXPECT_EQ(recorder.entries().size(), 5);
    EXPECT_EQ(recorder.lastSource(), QStringLiteral("RecordClass.SetDigit"));
    recorder.clear();
    s.SetDigit("Name", 0, "12");
    EXPECT_TRUE(recorder.empty());
    EXPECT_EQ(s.record(2), bytes("01 02 03"));
    EXPECT_EQ(s.record(0), before);
}

TEST_F(RecordClassTest, PutDataStoresTheImageBetweenHeadAndTrailerAndRefusesShortPacketsAndBadIndices)
{
    const QByteArray image = bytes("70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D 7E 7F 80");
    s.PutData(replyPacket(10, 1, image));
    EXPECT_EQ(s.record(1), image);
    EXPECT_EQ(std::make_tuple(s.GetLastSaved(), s.dataFlag()), std::make_tuple(qint16(1), qint16(-1)));

    RecordClass fresh(&log);
    fresh.BuildStructure(definitionPacket(1, "VP", 4, {{"Data", 2, 1, 20}}));
    fresh.PutData(replyPacket(10, 1, bytes("AA")));
    fresh.PutData(bytes("0A 00 02 30 30 01"));
    EXPECT_EQ(recorder.last(), QStringLiteral("RecordClass.PutData: Packet length is only 6. Needs to be min 7"));
    EXPECT_EQ(fresh.lastSaved(), -1);
    EXPECT_EQ(fresh.GetLastSaved(), -1);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("No Data Last saved Stored"));
    fresh.PutData(replyPacket(10, 4, bytes("01")));
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("Index (4) greater than record count ( 4)"));
    // Seven to ten bytes hold no room for an image.
    fresh.PutData(bytes("0A 00 02 30 30 01 00 55 00"));
    EXPECT_EQ(fresh.record(1), QByteArray());
}

TEST_F(RecordClassTest, TheUsedMapCountsEveryRecordUsedUntilOneArrives)
{
    RecordClass fresh(&log);
    fresh.BuildStructure(definitionPacket(1, "VP", 20, {{"Data", 2, 1, 0}}));
    EXPECT_TRUE(fresh.GetRecordUsed(0));
    EXPECT_TRUE(fresh.GetRecordUsed(1000));
    fresh.SetRecordUsed(3, true);
    EXPECT_TRUE(fresh.usedMap().isEmpty());
    fresh.PutUsed(replyPacket(31, 1, bytes("01 02")));
    EXPECT_EQ(fresh.usedMap(), bytes("01 02"));
    EXPECT_EQ(std::make_tuple(fresh.GetRecordUsed(0), fresh.GetRecordUsed(1), fresh.GetRecordUsed(9),
                              fresh.GetRecordUsed(16)),
              std::make_tuple(true, false, true, false));
    EXPECT_TRUE(recorder.empty());
    EXPECT_FALSE(fresh.GetRecordUsed(24));
    EXPECT_EQ(recorder.last(), QStringLiteral("RecordClass.GetRecordUsed: Outside Range"));
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
    EXPECT_EQ(recorder.last(),
              QStringLiteral("RecordClass.SendData (") + AclName
                  + QStringLiteral("): Index (4) greater than record count ( 4)"));
    s.PutData(replyPacket(10, 0, bytes("01 02 03")));
    s.PutData(replyPacket(10, 1, bytes("00 FF FF")));
    EXPECT_EQ(std::make_tuple(s.CalcChecksum(0), s.CalcChecksum(1), s.CalcChecksum(3), s.CalcChecksum(4)),
              std::make_tuple(quint8(5), quint8(0xFE), quint8(0xC9), quint8(0)));

    s.CopyRecord(0, 3);
    EXPECT_EQ(s.record(3), bytes("01 02 03"));
    EXPECT_EQ(s.GetLastSaved(), 3);
    s.CopyRecord(4, 1);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("CpyFrom (4) greater than record count ( 4)"));
    s.CopyRecord(0, 4);
    EXPECT_EQ(recorder.lastMessage(), QStringLiteral("CpyTo (4) greater than record count ( 4)"));
    EXPECT_EQ(s.record(1), bytes("00 FF FF"));
}

TEST_F(RecordClassTest, EqualityWeighsTheRecordsTheUsedMapAndTheCodes)
{
    EXPECT_TRUE(s == RecordClass(s));
    const std::function<void(RecordClass &)> changes[] = {
        [](RecordClass &r) { r.SetInteger("Small", 0, 1); },
        [](RecordClass &r) { r.PutUsed(replyPacket(31, 4, bytes("01"))); },
        [](RecordClass &r) { r.setSendCode(77); },
    };
    for (const auto &change : changes) {
        RecordClass other = s;
        change(other);
        EXPECT_FALSE(s == other) << &change - changes;
    }
}

TEST_F(RecordClassTest, ATextIsRefusedUnlessItIsSingleByteWithoutNulAndLeavesRoomForTheTerminator)
{
    const auto refusal = [this](const QString &text) { return FieldLimits::textRefusal(s, "name", text); };
    EXPECT_EQ(refusal(QStringLiteral("Caf\u00e9 7")), QString());
    EXPECT_EQ(refusal(QStringLiteral("Quay 7 Office")), QStringLiteral("Must be at most 7 characters"));
    EXPECT_EQ(refusal(QStringLiteral("Quay") + QChar(u'\0') + QStringLiteral("7")),
              QStringLiteral("Must not hold a NUL character, which would end the text"));
    EXPECT_EQ(refusal(QStringLiteral("Ship \U0001F6A2")),
              QStringLiteral("Must be Latin-1 characters: \"\U0001F6A2\" cannot be stored"));
}
