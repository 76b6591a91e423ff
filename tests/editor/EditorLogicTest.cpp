#include "editor/ClassPositions.h"
#include "editor/DialledNumberTable.h"
#include "editor/TableTree.h"
#include "editor/ToneSteps.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

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

    const std::tuple<int, int, const char *> pads[] = {{5, 9, "5"},         {5, 10, "05"},        {0, 1500, "0000"},
                                                       {999, 1000, "0999"}, {1000, 1000, "1000"}, {45, 31, "45"}};
    for (const auto &[value, maximum, padded] : pads)
        EXPECT_EQ(DialledNumberTable::PadCount(value, maximum), QLatin1String(padded)) << value << " " << maximum;
}

TEST_F(SampleTest, ADialledNumberClashesWithAnotherEnabledNumberItEqualsBeginsOrIsBegunBy)
{
    const std::tuple<const char *, int, Check> cases[] = {
        {"200", 2, Check::SameNumber},       {"200", 1, Check::Accepted}, // a record does not clash with itself
        {"814400", 2, Check::SameNumber},    {"20", 3, Check::Overlapping},    {"2001", 3, Check::Overlapping},
        {"8144", 3, Check::Overlapping}, // dialled as prefix, then number
        {"81440099", 3, Check::Overlapping}, {"4400", 3, Check::Accepted},     {"8145", 3, Check::Accepted},
        {"229", 3, Check::Accepted}, // disabled
        {"73456789", 3, Check::Accepted},    {"734567890", 3, Check::TooLong}, {"", 3, Check::NotANumber},
        {"-12", 3, Check::NotANumber},       {"*12", 3, Check::NotANumber}};
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

TEST(TableTree, AWindowStartsWithTheBranchesOfEveryTableBeforeItHasAConfiguration)
{
    QStringList nodes;
    for (const TableNode &node : TableTree::initialNodes())
        nodes.append(node.parentKey + QLatin1Char('>') + node.key + QLatin1Char(' ') + node.text);
    EXPECT_EQ(nodes.join(QLatin1Char('|')),
              QStringLiteral(">RRR Orvex|RRR>RVP Virtual Ports|RRR>RGP Groups|RRR>REV Ext To Virtual|"
                             "RRR>RPV Port To Virtual|RRR>RAC ACL|RRR>RCL Class List|RRR>RAD Advanced|RRR>RTO Tones"));
}

TEST(TableTree, ABranchOffersToOpenOnlyWhileARecordItListsIsInUse)
{
    ExchClass config;
    SampleConfiguration::build(config);
    RecordClass &groups = config.Groups();
    EXPECT_TRUE(TableTree::hasRecords(config, NodeKeys::Groups));
    for (int i = 1; i < groups.Records(); ++i)
        groups.SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, true);
    EXPECT_FALSE(RecordSlots::isFree(groups, 0));
    EXPECT_FALSE(TableTree::hasRecords(config, NodeKeys::Groups)) << "group 0 is never listed";
}

TEST(ClassPositions, HoldersAreThePortsAndAclsInUseWithTheBitReadWithinTheirTables)
{
    ExchClass config;
    SampleConfiguration::build(config);
    DiagnosticRecorder diagnostics(DebugLog::shared());
    // Class "Tie Lines" has bit 6.
    const ClassPositions::Holders holders = ClassPositions(config).holders(6);
    EXPECT_EQ(holders.ports, (QList<int>{24, 25, 26, 27}));
    EXPECT_EQ(holders.acls, (QList<int>{1, 2, 3, 4, 5, 6, 10, 11}));
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.last().toStdString();
}

TEST(ToneLength, AcceptsDecimalNumbersUpTo120AndRaisesSmallOnesToOne)
{
    using Length = ToneSteps::Length;
    const std::tuple<const char *, Length::Verdict, int> cases[] = {
        {"0", Length::Accepted, 1},   {"1", Length::Accepted, 1},     {" 12 ", Length::Accepted, 12},
        {"2.4", Length::Accepted, 2}, {"120", Length::Accepted, 120}, {"120.2", Length::TooLong, 0},
        {"", Length::NotANumber, 0},  {"nan", Length::NotANumber, 0}};
    for (const auto &[text, verdict, value] : cases) {
        const Length length = ToneSteps::checkLength(QLatin1String(text));
        EXPECT_EQ(length.verdict, verdict) << text;
        EXPECT_TRUE(verdict != Length::Accepted || length.value == value) << text;
    }
}

} // namespace
