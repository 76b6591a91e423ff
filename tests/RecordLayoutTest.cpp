#include "FieldDef.h"
#include "RecordClass.h"
#include "TestSupport.h"

namespace {
QByteArray threeFieldDefinition()
{
    return definitionPacket(1, QByteArrayLiteral("VIRTPORTS"), 4,
                            {{"Index", 2, 2, 0}, {"Name", 4, 1, 16}, {"Flag", 3, 1, 0}});
}
} // namespace

TEST(RecordLayout, FieldsFollowOneAnotherFromByteOne)
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
}

TEST(RecordLayout, NamesKeepTheirBytesAsTheExchangeSendsThem)
{
    DebugLog log;
    RecordClass s(&log);
    s.BuildStructure(definitionPacket(2, QByteArrayLiteral("EXT"), 1,
                                      {{"ABCDEFGHIJKLMNOP", 2, 2, 0}, {"Fl", 3, 1, 0}}));
    EXPECT_EQ(s.ItemsNames(1), QByteArray("ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(s.ItemsNames(2), QByteArray("Fl"));
    EXPECT_EQ(s.Name(), QByteArray("EXT").leftJustified(16, '\0'));
}

TEST(RecordLayout, LookupsIgnoreCaseAndAnswerZeroForUnknownNames)
{
    DebugLog log;
    RecordClass s(&log);
    s.BuildStructure(threeFieldDefinition());
    EXPECT_EQ(s.GetItems("NAME"), 16);
    EXPECT_EQ(s.GetType("flag"), 3);
    EXPECT_EQ(s.GetItems("Missing"), 0);
    EXPECT_EQ(s.GetType("Missing"), 0);
}

TEST(RecordLayout, TheFirstFieldOfANameAnswersItAndRenamingItUncoversTheNext)
{
    DebugLog log;
    RecordClass s(&log);
    s.makeStruct("T", 3, 1, 6, 0);
    s.setField(1, "Code", 0, 2, 1, FieldType::Integer);
    s.setField(2, "CODE", 0, 2, 3, FieldType::Digit);
    s.setField(3, "code", 0, 2, 5, FieldType::Boolean);
    s.PutBlank(0);
    EXPECT_EQ(s.fieldIndex("cOdE"), 1);
    EXPECT_EQ(s.GetType("code"), FieldType::Integer);
    // Digits are written to the first digit field of the name, behind the integer.
    s.SetDigit("code", 0, "12");
    EXPECT_EQ(s.record(0), bytes("FF FF 12 00 FF FF"));

    s.setField(1, "Other", 0, 2, 1, FieldType::Integer);
    EXPECT_EQ(s.fieldIndex("Code"), 2);
    EXPECT_EQ(s.fieldIndex("OTHER"), 1);
    EXPECT_EQ(s.fieldIndex("Missing"), 0);
}

TEST(RecordLayout, ItemsNamesHidesPlaceholdersAndOutOfRangeEntries)
{
    RecordClass s;
    s.makeStruct("T", 2, 1, 4, 0);
    s.setField(1, "NULL", 0, 2, 1, 2);
    s.setField(2, "Real", 0, 2, 3, 2);
    EXPECT_EQ(s.ItemsNames(1), QByteArray());
    EXPECT_EQ(s.ItemsNames(2), QByteArray("Real"));
    EXPECT_EQ(s.ItemsNames(3), QByteArray());
    EXPECT_EQ(s.ItemsNames(-1), QByteArray());
}

TEST(RecordLayout, ShortDefinitionPacketGivesZerosWithoutFailing)
{
    DebugLog log;
    RecordClass s(&log);
    QByteArray packet = threeFieldDefinition();
    packet.truncate(40);
    s.BuildStructure(packet);
    EXPECT_EQ(s.Items(), 3);
    EXPECT_EQ(s.field(2).Size, 0);
    EXPECT_EQ(s.field(3).Name, QByteArray());
}

TEST(RecordLayout, HugeFieldsWrapTheirPositionsWithoutOverflow)
{
    DebugLog log;
    RecordClass s(&log);
    s.BuildStructure(definitionPacket(1, "BIG", 1, {{"A", 2, 32767, 32767}, {"B", 2, 32767, 32767}, {"C", 2, 32767, 32767}}));
    EXPECT_EQ(s.field(1).StartPosn, 1);
    EXPECT_EQ(s.Items(), 3);
    s.PutBlank(0);
    EXPECT_EQ(s.GetInteger("C", 0), 0);
}

TEST(RecordLayout, DefinitionDataRebuildsTheSameLayout)
{
    DebugLog log;
    RecordClass original(&log);
    original.BuildStructure(threeFieldDefinition());
    RecordClass copy(&log);
    copy.BuildStructure(replyPacket(15, 1, original.DefinitionData()));
    for (int i = 0; i <= original.Items(); ++i)
        EXPECT_EQ(copy.field(i), original.field(i));
    EXPECT_EQ(copy.Name(), original.Name());
}

TEST(RecordLayout, ListingsAreWrittenOnlyWhileDebugDisplayIsSet)
{
    DebugLog log;
    RecordClass s(&log);
    s.BuildStructure(threeFieldDefinition());
    s.ShowStructure();
    EXPECT_TRUE(log.text().isEmpty());

    log.setDebugDisplay(true);
    s.ShowStructure();
    const QString name = QString::fromLatin1(s.Name());
    EXPECT_EQ(log.text(), QStringLiteral("\r\nStructure Size = 0x13; Name = ") + name
                  + QStringLiteral("; Items = 3; Records = 4; Type = 0"
                                   "\r\nMember Size = 0x2; Name = Index; Items = 0; StartPosn = 1; Type = 2"
                                   "\r\nMember Size = 0x1; Name = Name; Items = 16; StartPosn = 3; Type = 4"
                                   "\r\nMember Size = 0x1; Name = Flag; Items = 0; StartPosn = 19; Type = 3"));

    log.clear();
    s.BuildStructure(threeFieldDefinition());
    EXPECT_TRUE(log.text().startsWith(QStringLiteral("\r\nPacket Type = Structure\r\nLength = 0x")));
    EXPECT_TRUE(log.text().contains(QStringLiteral("\r\nMember Size = 0x0001; Name = Name; Items = 0010; Type = 0004")));

    log.clear();
    QByteArray record = bytes("05 00") + QByteArray("DIAL").leftJustified(16, '\0') + bytes("81");
    s.ShowPacket(replyPacket(10, 2, record));
    EXPECT_EQ(log.text(), QStringLiteral("Index = 2\r\nIndex =  0x0005\r\nName = DIAL") + QString(12, QChar(0))
                  + QStringLiteral("\r\nFlag =  0x81"));

    log.setDebugDisplay(false);
    log.clear();
    s.ShowPacket(replyPacket(10, 2, record));
    EXPECT_TRUE(log.text().isEmpty());
}
