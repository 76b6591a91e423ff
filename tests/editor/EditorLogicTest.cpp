#include "DialledNumberTable.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "PhysicalPortNames.h"
#include "RecordSlots.h"
#include "SampleConfiguration.h"
#include "ToneSteps.h"
#include "VirtualPortLinks.h"

#include <gtest/gtest.h>

namespace {

using Check = DialledNumberTable::Check;

// The sample's numbers: 0, 200 to 222 on records 1 to 24 (none on 6), 229
// disabled on record 25, and 81 4400, 81 4402 and 81 4421 with prefixes on
// records 29 to 31.
class SampleTest : public ::testing::Test
{
protected:
    void SetUp() override { SampleConfiguration::build(config); }

    RecordClass &numbers() { return config.ExtToVirtual(); }

    ExchClass config;
    DialledNumberTable table{config.ExtToVirtual()};
};

TEST_F(SampleTest, AFullNumberPutsThePrefixBeforeTheLastDigitsWhenFlaggedAndPadCountPadsToTheMaximumsWidth)
{
    EXPECT_EQ(table.fullNumber(1), QByteArrayLiteral("200"));
    EXPECT_EQ(table.fullNumber(29), QByteArrayLiteral("814400"));
    numbers().SetBoolean(FieldNames::Flag, 29, DialledNumberTable::HasPrefixBit, false);
    EXPECT_EQ(table.fullNumber(29), QByteArrayLiteral("4400"));

    const std::tuple<int, int, const char *> pads[] = {{5, 250, "005"}, {5, 9, "5"},          {5, 10, "05"},
                                                       {0, 1500, "0000"}, {999, 1000, "0999"}, {1000, 1000, "1000"},
                                                       {45, 31, "45"}};
    for (const auto &[value, maximum, padded] : pads)
        EXPECT_EQ(DialledNumberTable::PadCount(value, maximum), QLatin1String(padded)) << value << " " << maximum;
}

TEST_F(SampleTest, ADialledNumberClashesWithAnotherEnabledNumberItEqualsBeginsOrIsBegunBy)
{
    const std::tuple<const char *, int, Check> cases[] = {
        {"200", 2, Check::SameNumber},          {"200", 1, Check::Accepted}, // a record does not clash with itself
        {"814400", 2, Check::SameNumber},       {"20", 3, Check::Overlapping},
        {"2001", 3, Check::Overlapping},        {"8144", 3, Check::Overlapping}, // dialled as prefix, then number
        {"81440099", 3, Check::Overlapping},    {"4400", 3, Check::Accepted},
        {"8145", 3, Check::Accepted},           {"229", 3, Check::Accepted}, // disabled
        {"73456789", 3, Check::Accepted},       {"734567890", 3, Check::TooLong},
        {"", 3, Check::NotANumber},             {"12a", 3, Check::NotANumber},
        {"-12", 3, Check::NotANumber},          {"1.5", 3, Check::NotANumber},
        {"1e3", 3, Check::NotANumber},          {"*12", 3, Check::NotANumber}};
    for (const auto &[text, record, check] : cases)
        EXPECT_EQ(table.check(QLatin1String(text), record), check) << text << " on " << record;
    numbers().SetDigit(FieldNames::ExtNumberA, 28, QByteArray());
    EXPECT_EQ(table.check(QStringLiteral("777"), 3), Check::Accepted) << "an empty number stands in nobody's way";
}

TEST_F(SampleTest, ANewDialledNumberTakesTheLowestFreeSlotDisabled)
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

TEST_F(SampleTest, APortsLinksListItsEnabledNumbersWithPrefixesSetApartAndEveryPhysicalPortBoundToIt)
{
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 0), QStringLiteral("0; 200; 81 4400"));
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 2), QStringLiteral("202; 81 4402"));
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 29), QString()) << "its one number is disabled";
    config.ExtToVirtual().SetBoolean(FieldNames::Flag, 1, RecordSlots::FreeBit, true);
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 0), QStringLiteral("0; 81 4400")) << "a free slot is not listed";

    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 0), QStringLiteral("Ext 1 - Port 1"));
    config.PortToVirtual().SetInteger(FieldNames::VirtPort, 37, 0);
    config.PortToVirtual().SetInteger(FieldNames::VirtPort, 98, 0);
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 0), QStringLiteral("Ext 1 - Port 1; Ext 3 - Port 6; Tie - Port 3"));
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 28), QStringLiteral("PA - Port 1"));
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 30), QStringLiteral("Aux - Port 1"));
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 23), QString());
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 255), QString()) << "255 marks a position without a port";
}

TEST(PhysicalPortNames, NameTheBoardPositionTerminalAndLink)
{
    const std::tuple<int, const char *, const char *, const char *> ports[] = {
        {0, "Board 1; Port 1", "Ext 1", "Ext 1 - Port 1"},
        {37, "Board 3; Port 6", "Ext 22", "Ext 3 - Port 6"},
        // The upper half of an extension board repeats the lower half's names.
        {45, "Board 3; Port 14", "Ext 22", "Ext 3 - Port 14"},
        {79, "Board 5; Port 16", "Ext 40", "Ext 5 - Port 16"},
        {80, "Board Aux; Port 1", "Aux 1", "Aux - Port 1"},
        {84, "Board Aux; Port 5", "Aux 5", "Aux - Port 5"},
        {98, "Board Tie; Port 3", "Tie 3", "Tie - Port 3"},
        {99, "Board Tie; Port 4", "Tie 4", "Tie - Port 4"},
        {100, "Board Tie; Port 5", "PA 1", "PA - Port 1"},
        {101, "Board Tie; Port 6", "PA 2", "PA - Port 2"},
        {112, "Board 7?; Port 1", "7?", "7?"},
        {113, "Board 7?; Port 2", "7?", "7?"},
        {160, "Board 10?; Port 1", "10?", "10?"}};
    for (const auto &[port, position, terminal, link] : ports) {
        EXPECT_EQ(PhysicalPortNames::boardPosition(port) + QLatin1Char('|') + PhysicalPortNames::terminalName(port)
                      + QLatin1Char('|') + PhysicalPortNames::linkName(port),
                  QStringLiteral("%1|%2|%3").arg(QLatin1String(position), QLatin1String(terminal), QLatin1String(link)))
            << port;
    }
}

TEST(ToneLength, AcceptsDecimalNumbersUpTo120AndRaisesSmallOnesToOne)
{
    using Length = ToneSteps::Length;
    const std::tuple<const char *, Length::Verdict, int> cases[] = {
        {"0", Length::Accepted, 1},     {"-3", Length::Accepted, 1},    {"1", Length::Accepted, 1},
        {" 12 ", Length::Accepted, 12}, {"2.4", Length::Accepted, 2},   {"119.5", Length::Accepted, 120},
        {"120", Length::Accepted, 120}, {"120.2", Length::TooLong, 0},  {"121", Length::TooLong, 0},
        {"", Length::NotANumber, 0},    {"abc", Length::NotANumber, 0}, {"nan", Length::NotANumber, 0}};
    for (const auto &[text, verdict, value] : cases) {
        const Length length = ToneSteps::checkLength(QLatin1String(text));
        EXPECT_EQ(length.verdict, verdict) << text;
        EXPECT_TRUE(verdict != Length::Accepted || length.value == value) << text;
    }
}

} // namespace
