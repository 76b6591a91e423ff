#include "editor/DialledNumberTable.h"

#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"

#include <gtest/gtest.h>

namespace {

using Check = DialledNumberTable::Check;

// The sample's numbers: 0, 200 to 222 on records 1 to 24 (none on 6), 229
// disabled on record 25, and 81 4400, 81 4402 and 81 4421 with prefixes on
// records 29 to 31.
class DialledNumbers : public ::testing::Test
{
protected:
    void SetUp() override { SampleConfiguration::build(config); }

    RecordClass &numbers() { return config.ExtToVirtual(); }

    ExchClass config;
    DialledNumberTable table{config.ExtToVirtual()};
};

TEST_F(DialledNumbers, FullNumberPutsThePrefixBeforeTheLastDigits)
{
    EXPECT_EQ(table.fullNumber(1), QByteArrayLiteral("200"));
    EXPECT_EQ(table.fullNumber(29), QByteArrayLiteral("814400"));
    numbers().SetBoolean(FieldNames::Flag, 29, DialledNumberTable::HasPrefixBit, false);
    EXPECT_EQ(table.fullNumber(29), QByteArrayLiteral("4400")) << "the prefix counts only with its flag";
}

TEST_F(DialledNumbers, ANumberEqualToAnotherEnabledNumberIsTheSameNumber)
{
    EXPECT_EQ(table.check(QStringLiteral("200"), 2), Check::SameNumber);
    EXPECT_EQ(table.check(QStringLiteral("200"), 1), Check::Accepted) << "a record does not clash with itself";
    EXPECT_EQ(table.check(QStringLiteral("814400"), 2), Check::SameNumber);
}

TEST_F(DialledNumbers, ANumberThatBeginsAnotherOrIsBegunByOneOverlaps)
{
    EXPECT_EQ(table.check(QStringLiteral("20"), 3), Check::Overlapping);
    EXPECT_EQ(table.check(QStringLiteral("2001"), 3), Check::Overlapping);
    // Numbers with a prefix are compared as they are dialled: prefix, then number.
    EXPECT_EQ(table.check(QStringLiteral("8144"), 3), Check::Overlapping);
    EXPECT_EQ(table.check(QStringLiteral("81440099"), 3), Check::Overlapping);
    EXPECT_EQ(table.check(QStringLiteral("4400"), 3), Check::Accepted);
    EXPECT_EQ(table.check(QStringLiteral("8145"), 3), Check::Accepted);
}

TEST_F(DialledNumbers, DisabledAndEmptyNumbersStandInNobodysWay)
{
    EXPECT_EQ(table.check(QStringLiteral("229"), 3), Check::Accepted);
    numbers().SetDigit(FieldNames::ExtNumberA, 28, QByteArray());
    EXPECT_EQ(table.check(QStringLiteral("777"), 3), Check::Accepted);
}

TEST_F(DialledNumbers, OnlyDigitsThatFitTheRecordAreANumber)
{
    for (const char *text : {"", "12a", "-12", "1.5", "1e3", "*12"})
        EXPECT_EQ(table.check(QLatin1String(text), 3), Check::NotANumber) << text;
    EXPECT_EQ(table.check(QStringLiteral("73456789"), 3), Check::Accepted);
    EXPECT_EQ(table.check(QStringLiteral("734567890"), 3), Check::TooLong);
}

TEST_F(DialledNumbers, PadCountPadsTheValueToTheWidthOfTheMaximum)
{
    EXPECT_EQ(DialledNumberTable::PadCount(5, 250), QStringLiteral("005"));
    EXPECT_EQ(DialledNumberTable::PadCount(5, 9), QStringLiteral("5"));
    EXPECT_EQ(DialledNumberTable::PadCount(5, 10), QStringLiteral("05"));
    EXPECT_EQ(DialledNumberTable::PadCount(42, 250), QStringLiteral("042"));
    EXPECT_EQ(DialledNumberTable::PadCount(0, 1500), QStringLiteral("0000"));
    EXPECT_EQ(DialledNumberTable::PadCount(999, 1000), QStringLiteral("0999"));
    EXPECT_EQ(DialledNumberTable::PadCount(1000, 1000), QStringLiteral("1000"));
    EXPECT_EQ(DialledNumberTable::PadCount(45, 31), QStringLiteral("45"));
}

TEST_F(DialledNumbers, ANewNumberTakesTheLowestFreeSlotDisabled)
{
    EXPECT_EQ(table.countInUse(), 31);
    EXPECT_EQ(table.addNumber(), 6);
    EXPECT_FALSE(RecordSlots::isFree(numbers(), 6));
    EXPECT_FALSE(numbers().GetBoolean(FieldNames::Flag, 6, RecordSlots::EnabledBit));
    EXPECT_FALSE(numbers().GetBoolean(FieldNames::Flag, 6, DialledNumberTable::HasPrefixBit));
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberA, 6), QByteArrayLiteral("0"));
    EXPECT_EQ(numbers().GetInteger(FieldNames::VirtualPortNo, 6), 0);
    EXPECT_EQ(table.countInUse(), 32);

    for (int i = 0; i < numbers().Records(); ++i)
        numbers().SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    EXPECT_EQ(table.addNumber(), -1);
}

} // namespace
