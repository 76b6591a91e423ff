#include "ConfigurationTable.h"
#include "ExchClass.h"
#include "TestSupport.h"

TEST(ExchangeConfiguration, StartsWithNineEmptyStructuresAndTheirCodes)
{
    ExchClass config;
    const int codes[ExchClass::MemberCount][2] = {{14, 27}, {12, 18}, {10, 16}, {20, 21}, {11, 17},
                                                  {99, 99}, {29, 30}, {13, 19}, {36, 37}};
    for (int i = 0; i < ExchClass::MemberCount; ++i) {
        EXPECT_EQ(config.member(i).Items(), 0) << i;
        EXPECT_EQ(config.member(i).Records(), 0) << i;
        EXPECT_EQ(config.member(i).RequestCode(), codes[i][0]) << i;
        EXPECT_EQ(config.member(i).SendCode(), codes[i][1]) << i;
    }
    EXPECT_EQ(&config.ClassList(), &config.member(ExchClass::ClassListMember));
    EXPECT_EQ(&config.Tones(), &config.member(ExchClass::TonesMember));
}

TEST(ExchangeConfiguration, DefinitionIdsFindTheirMembers)
{
    EXPECT_EQ(ExchClass::memberForDefinitionId(1), ExchClass::VirtualPortsMember);
    EXPECT_EQ(ExchClass::memberForDefinitionId(8), ExchClass::ClassListMember);
    EXPECT_EQ(ExchClass::memberForDefinitionId(10), ExchClass::TonesMember);
    EXPECT_EQ(ExchClass::memberForDefinitionId(15), ExchClass::PortToVirtualMember);
    EXPECT_EQ(ExchClass::memberForDefinitionId(0), -1);
    EXPECT_EQ(ExchClass::memberForDefinitionId(5), -1);
}

TEST(ExchangeConfiguration, DefaultTonesHoldTwelveCadences)
{
    DebugLog log;
    DiagnosticRecorder recorder(log);
    ExchClass config(&log);
    config.BuildDefaultTones();
    RecordClass &tones = config.Tones();
    ASSERT_EQ(tones.Records(), 12);
    EXPECT_EQ(tones.StructSize(), 64);
    EXPECT_EQ(tones.GetString("Name", 3), QByteArray("ONHOLD"));
    EXPECT_EQ(tones.GetInteger("Time", 3, 3), 17);
    EXPECT_EQ(tones.GetInteger("Level", 10, 1), 31);
    EXPECT_EQ(tones.GetInteger("Tone", 10, 1), 255);
    EXPECT_EQ(tones.GetInteger("Time", 7, 6), 255);
    EXPECT_FALSE(tones.GetBoolean("Flag", 0, 7, 0));
    EXPECT_EQ(tones.GetString("Name", 11), QByteArray("WARMLNE"));
    for (int i = 0; i < 12; ++i) {
        const QByteArray record = tones.record(i);
        ASSERT_EQ(record.size(), 64);
        EXPECT_EQ(record.left(2), bytes("FF FF"));
        EXPECT_EQ(record.mid(59), bytes("FF FF FF FF FF"));
        EXPECT_EQ(record.at(58), '\0');
    }
    EXPECT_EQ(tones.GetInteger("Checksum", 0), 0);
    EXPECT_EQ(recorder.entries().size(), 1); // "Checksum" is entry 0, which no lookup reaches
}

TEST(ExchangeConfiguration, DefaultToneLayoutSurvivesADefinitionPacket)
{
    DebugLog log;
    ExchClass config(&log);
    config.BuildDefaultTones();
    RecordClass rebuilt(&log);
    rebuilt.BuildStructure(replyPacket(15, 10, config.Tones().DefinitionData()));
    for (const char *name : {"Tone", "Time", "Level", "Name", "Flag"}) {
        EXPECT_EQ(rebuilt.GetType(name), config.Tones().GetType(name)) << name;
        EXPECT_EQ(rebuilt.GetItems(name), config.Tones().GetItems(name)) << name;
    }
    rebuilt.PutData(replyPacket(36, 3, config.Tones().record(3)));
    EXPECT_EQ(rebuilt.GetInteger("Time", 3, 3), 17);
    EXPECT_EQ(rebuilt.GetString("Name", 3), QByteArray("ONHOLD"));
    EXPECT_EQ(rebuilt.ItemsNames(1), QByteArray());
}

TEST(ConfigurationTable, SlotsStartAtOneAndKeepTheirConfigurations)
{
    ConfigurationTable table;
    EXPECT_EQ(table.NewSlot(), 1);
    EXPECT_EQ(table.NewSlot(), 2);
    table.at(1).BuildDefaultTones();
    ExchClass *first = &table.at(1);
    EXPECT_EQ(table.NewSlot(), 3);
    EXPECT_EQ(&table.at(1), first);
    EXPECT_EQ(table.at(1).Tones().Records(), 12);
    EXPECT_EQ(table.at(3).Tones().Records(), 0);
    EXPECT_EQ(table.at(0).Tones().Records(), 0);
}
