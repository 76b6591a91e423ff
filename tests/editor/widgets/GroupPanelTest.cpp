#include "support/gui/DocumentFixture.h"

#include "editor/widgets/GroupPanel.h"
#include "model/FieldDef.h"

#include <QLabel>
#include <QScrollBar>

namespace {

// Sample groups: 1 "Sales" has members 1 to 12 with member 10 unticked,
// four seconds each and ten before the last; 2 "Accounts" has members 1
// and 2, ports 3 and 4.
constexpr int SalesGroup = 1;
constexpr int AccountsGroup = 2;
constexpr int SalesPort = 5;

class GroupPanelTest : public DocumentFixture
{
protected:
    RecordClass &groups() { return config().Groups(); }
    void openGroup(int index) { open(QStringLiteral("GPR%1").arg(index)); }
    QCheckBox *used(int row) const { return control<QCheckBox>(QStringLiteral("chkGroupMember%1").arg(row)); }
    QComboBox *member(int row) const { return control<QComboBox>(QStringLiteral("cboGroupMember%1").arg(row)); }
    QLineEdit *time(int row) const { return control<QLineEdit>(QStringLiteral("txtGroupTime%1").arg(row)); }
    QScrollBar *scrollBar() const { return control<QScrollBar>("srlGroupMembers"); }
    QString lastMember() const { return box("txtGPGroupNumbers")->text(); }
    QString group(int index, const char *names) { return fields(ExchClass::GroupsMember, index, names); }
    QStringList numbers() const
    {
        QStringList result;
        for (int row = 0; row < 8; ++row)
            result.append(control<QLabel>(QStringLiteral("labGroupMember%1").arg(row))->text());
        return result;
    }
    QList<bool> ticks() const
    {
        QList<bool> result;
        for (int row = 0; row < 8; ++row)
            result.append(used(row)->isChecked());
        return result;
    }
    // Page Down on the focused scroll bar: four members on.
    void pageDown()
    {
        enter(scrollBar());
        QTest::keyClick(scrollBar(), Qt::Key_PageDown);
    }
};

TEST_F(GroupPanelTest, TheGridShowsEightMembersWithTheirPortsAndTimesAndScrollsFourAPage)
{
    openGroup(SalesGroup);
    EXPECT_EQ(numbers(), strings({"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(QList<int>({scrollBar()->minimum(), scrollBar()->maximum(), scrollBar()->singleStep(), scrollBar()->pageStep()}),
              QList<int>({1, 9, 1, 4}));
    const QStringList items = itemTexts(member(0));
    EXPECT_EQ(items.first(), QString());
    EXPECT_EQ(items.last(), QStringLiteral("<Unknown VP>"));
    EXPECT_TRUE(items.contains(QStringLiteral("20 - Lift Phone")));
    EXPECT_FALSE(items.contains(QStringLiteral("27 - Tie Line 4"))) << "disabled";
    EXPECT_FALSE(items.contains(QStringLiteral("23 - <No Name>"))) << "free";

    pageDown();
    EXPECT_EQ(scrollBar()->value(), 5);
    EXPECT_EQ(numbers(), strings({"5", "6", "7", "8", "9", "10", "11", "12"}));
    EXPECT_EQ(ticks(), QList<bool>({true, true, true, true, true, false, true, true}));
    EXPECT_FALSE(member(5)->isEnabled());
    EXPECT_FALSE(time(5)->isEnabled());
    EXPECT_EQ(shown("cboGroupMember5 txtGroupTime5 txtGroupTime7"), QStringLiteral("||10"));
    scrollBar()->setValue(9);
    EXPECT_EQ(numbers(), strings({"9", "10", "11", "12", "13", "14", "15", "16"}));
    EXPECT_FALSE(changed(Panel::Groups));
}

TEST_F(GroupPanelTest, TimesAreStoredInQuarterSecondsWithinHalfASecondAndTenMinutesAndARoundedOneIsSaid)
{
    groups().SetInteger(FieldNames::TimeToNext, AccountsGroup, 1, 0);
    openGroup(AccountsGroup);
    EXPECT_EQ(time(0)->text(), QStringLiteral("0.25"));
    answer();
    typeOver(time(0), QStringLiteral("0.1"));
    answer();
    typeOver(time(1), QStringLiteral("2.6"));
    EXPECT_EQ(group(AccountsGroup, "TimeToNext[0] TimeToNext[1]"), QStringLiteral("2|10"));
    EXPECT_EQ(shown("txtGroupTime0 txtGroupTime1"), QStringLiteral("0.5|2.5"));
    EXPECT_EQ(messageTexts(),
              strings({"0.1 s is stored as 0.5 s: the exchange keeps this time in quarter seconds, from 0.5 s.",
                       "2.6 s is stored as 2.5 s: the exchange keeps this time in quarter seconds, from 0.5 s."}));
}

TEST(GroupTimes, RoundToTheNearestQuarterSecondWithinTheirLimits)
{
    const std::pair<double, std::optional<int>> cases[] = {
        {0.1, 2}, {-3, 2}, {0.6, 2}, {2.6, 10}, {2.65, 11}, {600.1, 2400}, {600.2, std::nullopt}, {1e30, std::nullopt}};
    for (const auto &[seconds, quarters] : cases)
        EXPECT_EQ(GroupPanel::quartersFor(seconds), quarters) << seconds;
    EXPECT_EQ(GroupPanel::secondsText(10), QStringLiteral("2.5"));
    EXPECT_EQ(GroupPanel::secondsText(65535), QStringLiteral("16383.75"));
}

TEST_F(GroupPanelTest, TickingAMemberSetsItsBitAndTheLastMemberCountsTickedMembersBeyondThePage)
{
    openGroup(AccountsGroup);
    pageDown();
    ASSERT_EQ(numbers().last(), QStringLiteral("12"));
    clickBox(used(7));
    EXPECT_EQ(group(AccountsGroup, "MembersUsed[1].3 GroupNumbers"), QStringLiteral("1|12"));
    EXPECT_EQ(lastMember(), QStringLiteral("12"));
    EXPECT_TRUE(member(7)->isEnabled());
    EXPECT_TRUE(changed(Panel::Groups));
    openGroup(SalesGroup);
    openGroup(AccountsGroup);
    pageDown();
    EXPECT_TRUE(used(7)->isChecked());

    openGroup(SalesGroup);
    clickBox(used(2));
    EXPECT_EQ(group(SalesGroup, "MembersUsed[0].2 GroupNumbers"), QStringLiteral("0|12"));
    pageDown();
    pageDown();
    // Members 12, 11 and 9 off; member 10 was never on.
    for (int row : {3, 2, 0})
        clickBox(used(row));
    EXPECT_EQ(group(SalesGroup, "GroupNumbers") + QLatin1Char('|') + lastMember(), QStringLiteral("8|8"));
}

TEST_F(GroupPanelTest, AMembersUsedOfOneTwoByteElementShowsMembersNineToSixteen)
{
    groups().BuildStructure(definitionPacket(ExchClass::info(ExchClass::GroupsMember).definitionId, "GROUPS", 4,
                                             {{"Name", FieldType::String, 1, 16},
                                              {"Flag", FieldType::Boolean, 1, 0},
                                              {"GroupType", FieldType::Integer, 1, 0},
                                              {"GroupNumbers", FieldType::Integer, 1, 0},
                                              {"TimeToNext", FieldType::Integer, 2, 16},
                                              {"GroupMembers", FieldType::Integer, 1, 16},
                                              {"MembersUsed", FieldType::Boolean, 2, 0}}));
    for (int g = 0; g < groups().Records(); ++g)
        groups().PutBlank(g);
    groups().SetString(FieldNames::Name, SalesGroup, "Wide");
    groups().ClearAllBoolean(FieldNames::Flag, SalesGroup);
    groups().SetBoolean(FieldNames::Flag, SalesGroup, 0, true);
    groups().ClearAllBoolean(FieldNames::MembersUsed, SalesGroup);
    for (int m : {8, 12, 15}) {
        groups().SetBoolean(FieldNames::MembersUsed, SalesGroup, m, true);
        groups().SetInteger(FieldNames::GroupMembers, SalesGroup, SalesPort, m);
        groups().SetInteger(FieldNames::TimeToNext, SalesGroup, 4 * (m + 1), m);
    }
    window->GetConfiguration();

    openGroup(SalesGroup);
    EXPECT_EQ(ticks(), QList<bool>(8, false));
    scrollBar()->setValue(9);
    EXPECT_EQ(ticks(), QList<bool>({true, false, false, false, true, false, false, true}));
    EXPECT_EQ(shown("txtGroupTime7 cboGroupMember7"), QStringLiteral("16|5 - Sales 1"));
    clickBox(used(1));
    EXPECT_TRUE(groups().GetBit(FieldNames::MembersUsed, SalesGroup, 9));
    EXPECT_EQ(group(SalesGroup, "GroupNumbers"), QStringLiteral("16"));
}

TEST_F(GroupPanelTest, AMemberWhosePortWasDisabledShowsUnknownVPAndMustBeChangedBeforeLeaving)
{
    config().VirtualPorts().SetBoolean(FieldNames::Flag, SalesPort, 0, false);
    openGroup(SalesGroup);
    EXPECT_EQ(member(0)->currentText(), QStringLiteral("<Unknown VP>"));
    enter(member(0));
    answer();
    leave(member(0));
    EXPECT_EQ(messageTexts(), strings({"Please Select Valid Virtual Port - This is not enabled"}));
    EXPECT_TRUE(member(0)->hasFocus());
    EXPECT_FALSE(changed(Panel::Groups));
    choose(member(0), QStringLiteral("20 - Lift Phone"));
    leave(member(0));
    EXPECT_EQ(group(SalesGroup, "GroupMembers[0]"), QStringLiteral("20"));
}

TEST_F(GroupPanelTest, ChoosingAPortOnALaterPageWritesThatMember)
{
    openGroup(SalesGroup);
    pageDown();
    choose(member(7), QStringLiteral("2 - Manager"));
    EXPECT_EQ(group(SalesGroup, "GroupMembers[11] GroupMembers[7]"), QStringLiteral("2|12"));
}

TEST_F(GroupPanelTest, AGroupZeroRecordFromTheExchangeGetsNoTreeNode)
{
    window->FillGroup(0, replyPacket(groups().RequestCode(), 0, groups().record(0)), true);
    EXPECT_EQ(node(QStringLiteral("GPR0")), nullptr);
}

} // namespace
