#include "model/ExchClass.h"
#include "model/ConfigurationTable.h"
#include "support/TestSupport.h"

TEST(ExchangeConfiguration, StartsWithNineEmptyStructuresTheirCodesAndDefinitionIds)
{
    ExchClass config;
    const int expected[ExchClass::MemberCount][3] = {{14, 27, 8},  {12, 18, 4},  {10, 16, 1}, {20, 21, 6}, {11, 17, 3},
                                                     {99, 99, 14}, {29, 30, 15}, {13, 19, 2}, {36, 37, 10}};
    for (int i = 0; i < ExchClass::MemberCount; ++i) {
        const RecordClass &s = config.member(i);
        EXPECT_EQ(std::make_tuple(s.Items(), s.Records(), s.RequestCode(), s.SendCode()),
                  std::make_tuple(0, 0, expected[i][0], expected[i][1]))
            << i;
        EXPECT_EQ(ExchClass::memberForDefinitionId(expected[i][2]), i);
    }
    for (int unused : {0, 5, 7, 9, 11, 16})
        EXPECT_EQ(ExchClass::memberForDefinitionId(unused), -1) << unused;
}

TEST(ExchangeConfiguration, DefaultTonesHoldTwelveCadences)
{
    DebugLog log;
    DiagnosticRecorder recorder(log);
    ExchClass config(&log);
    config.BuildDefaultTones();
    RecordClass &tones = config.Tones();
    ASSERT_EQ(tones.Records(), 12);
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

TEST(ConfigurationTable, SlotsStartAtOneKeepTheirConfigurationsAndGrowToAnySlotAskedFor)
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

    ConfigurationTable sparse;
    sparse.at(3).BuildDefaultTones();
    EXPECT_EQ(sparse.count(), 3);
    EXPECT_EQ(sparse.NewSlot(), 4);
    EXPECT_EQ(sparse.at(3).Tones().Records(), 12);
}
