#include "PanelTestSupport.h"

#include "ExchClass.h"
#include "FieldDef.h"
#include "FieldNames.h"
#include "GroupPanel.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidgetItem>

namespace {
using Panel = DocumentWindow::Panel;

// Sample groups: 1 "Sales" has members 1 to 12 with member 10 unticked,
// four seconds each and ten before the last; 2 "Accounts" has members 1
// and 2, ports 3 and 4.
constexpr int SalesGroup = 1;
constexpr int AccountsGroup = 2;
constexpr int SalesPort = 5;

class GroupPanelTest : public PanelFixture
{
protected:
    RecordClass &groups() { return config().Groups(); }
    void openGroup(int index) { open(QStringLiteral("GPR%1").arg(index)); }
    bool changed() const { return window->isChanged(Panel::Groups); }
    QCheckBox *used(int row) const { return control<QCheckBox>(QStringLiteral("chkGroupMember%1").arg(row)); }
    QComboBox *member(int row) const { return control<QComboBox>(QStringLiteral("cboGroupMember%1").arg(row)); }
    QLineEdit *time(int row) const { return control<QLineEdit>(QStringLiteral("txtGroupTime%1").arg(row)); }
    QString number(int row) const { return control<QLabel>(QStringLiteral("labGroupMember%1").arg(row))->text(); }
    QScrollBar *scrollBar() const { return control<QScrollBar>(QStringLiteral("srlGroupMembers")); }
    QString lastMember() const { return control<QLineEdit>(QStringLiteral("txtGPGroupNumbers"))->text(); }
    int storedTime(int group, int m) { return groups().GetInteger(FieldNames::TimeToNext, group, m); }
    QStringList numbers() const
    {
        QStringList result;
        for (int r = 0; r < GroupPanel::GridRows; ++r)
            result.append(number(r));
        return result;
    }
    QList<bool> ticks() const
    {
        QList<bool> result;
        for (int r = 0; r < GroupPanel::GridRows; ++r)
            result.append(used(r)->isChecked());
        return result;
    }
    // Page Down on the focused scroll bar: four members on.
    void pageDown()
    {
        enter(scrollBar());
        QTest::keyClick(scrollBar(), Qt::Key_PageDown);
    }
};

TEST_F(GroupPanelTest, TheGridShowsEightMembersWithTheirPortsAndTimes)
{
    openGroup(SalesGroup);
    EXPECT_EQ(numbers(), strings({"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(member(0)->currentText(), QStringLiteral("5 - Sales 1"));
    EXPECT_EQ(time(0)->text(), QStringLiteral("4"));
    EXPECT_EQ(lastMember(), QStringLiteral("12"));
    EXPECT_EQ(scrollBar()->minimum(), 1);
    EXPECT_EQ(scrollBar()->maximum(), 9);
    EXPECT_EQ(scrollBar()->singleStep(), 1);
    EXPECT_EQ(scrollBar()->pageStep(), 4);

    pageDown();
    EXPECT_EQ(scrollBar()->value(), 5);
    EXPECT_EQ(numbers(), strings({"5", "6", "7", "8", "9", "10", "11", "12"}));
    EXPECT_EQ(ticks(), QList<bool>({true, true, true, true, true, false, true, true}));
    EXPECT_FALSE(member(5)->isEnabled());
    EXPECT_EQ(member(5)->currentIndex(), 0);
    EXPECT_FALSE(time(5)->isEnabled());
    EXPECT_TRUE(time(5)->text().isEmpty());
    EXPECT_EQ(time(7)->text(), QStringLiteral("10"));

    scrollBar()->setValue(9);
    EXPECT_EQ(numbers(), strings({"9", "10", "11", "12", "13", "14", "15", "16"}));
    EXPECT_FALSE(changed());
}

TEST_F(GroupPanelTest, MemberListsOfferEnabledPortsBetweenAnEmptyItemAndUnknownVP)
{
    openGroup(SalesGroup);
    const QStringList items = itemTexts(member(0));
    EXPECT_EQ(items.first(), QString());
    EXPECT_EQ(items.last(), GroupPanel::UnknownVP);
    EXPECT_TRUE(items.contains(QStringLiteral("20 - Lift Phone")));
    EXPECT_FALSE(items.contains(QStringLiteral("27 - Tie Line 4"))) << "disabled";
    EXPECT_FALSE(items.contains(QStringLiteral("23 - <No Name>"))) << "free";
}

TEST_F(GroupPanelTest, TimesAreStoredInQuarterSecondsWithinHalfASecondAndTenMinutesAndARoundedOneIsSaid)
{
    openGroup(AccountsGroup);
    answerNextMessage();
    typeInto(time(0), QStringLiteral("0.1"));
    EXPECT_EQ(storedTime(AccountsGroup, 0), 2);
    EXPECT_EQ(time(0)->text(), QStringLiteral("0.5"));
    EXPECT_TRUE(changed());

    typeInto(time(0), QStringLiteral("600"));
    EXPECT_EQ(storedTime(AccountsGroup, 0), 2400);
    EXPECT_EQ(time(0)->text(), QStringLiteral("600"));

    answerNextMessage();
    typeInto(time(1), QStringLiteral("2.6"));
    EXPECT_EQ(storedTime(AccountsGroup, 1), 10);
    EXPECT_EQ(time(1)->text(), QStringLiteral("2.5"));
    EXPECT_EQ(messageTexts(),
              strings({"0.1 s is stored as 0.5 s: the exchange keeps this time in quarter seconds, from 0.5 s.",
                       "2.6 s is stored as 2.5 s: the exchange keeps this time in quarter seconds, from 0.5 s."}));
}

TEST_F(GroupPanelTest, RoundingTakesTheNearestQuarterSecond)
{
    EXPECT_EQ(GroupPanel::quartersFor(0.1), 2);
    EXPECT_EQ(GroupPanel::quartersFor(-3), 2);
    EXPECT_EQ(GroupPanel::quartersFor(0.6), 2);
    EXPECT_EQ(GroupPanel::quartersFor(2.6), 10);
    EXPECT_EQ(GroupPanel::quartersFor(2.65), 11);
    EXPECT_EQ(GroupPanel::quartersFor(600.1), 2400);
    EXPECT_EQ(GroupPanel::quartersFor(600.2), std::nullopt);
    EXPECT_EQ(GroupPanel::quartersFor(1e30), std::nullopt);
    EXPECT_EQ(GroupPanel::secondsText(10), QStringLiteral("2.5"));
    EXPECT_EQ(GroupPanel::secondsText(65535), QStringLiteral("16383.75"));
}

TEST_F(GroupPanelTest, AnUntouchedTimeIsNotRewritten)
{
    groups().SetInteger(FieldNames::TimeToNext, AccountsGroup, 1, 0);
    openGroup(AccountsGroup);
    EXPECT_EQ(time(0)->text(), QStringLiteral("0.25"));
    enter(time(0));
    leave(time(0));
    EXPECT_EQ(storedTime(AccountsGroup, 0), 1);
    EXPECT_FALSE(changed());
}

TEST_F(GroupPanelTest, TickingMemberTwelveOnTheSecondPageSetsItsBitAndTheLastMember)
{
    openGroup(AccountsGroup);
    pageDown();
    ASSERT_EQ(number(7), QStringLiteral("12"));
    clickBox(used(7));

    EXPECT_TRUE(groups().GetBoolean(FieldNames::MembersUsed, AccountsGroup, 3, 1));
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupNumbers, AccountsGroup), 12);
    EXPECT_EQ(lastMember(), QStringLiteral("12"));
    EXPECT_TRUE(used(7)->isChecked());
    EXPECT_TRUE(member(7)->isEnabled());
    EXPECT_TRUE(changed());

    openGroup(SalesGroup);
    openGroup(AccountsGroup);
    pageDown();
    EXPECT_TRUE(used(7)->isChecked());
}

TEST_F(GroupPanelTest, TheLastMemberCountsTickedMembersBeyondThePageOnShow)
{
    openGroup(SalesGroup);
    clickBox(used(2));
    EXPECT_FALSE(groups().GetBit(FieldNames::MembersUsed, SalesGroup, 2));
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupNumbers, SalesGroup), 12);

    pageDown();
    pageDown();
    // Members 12, 11 and 9 off; member 10 was never on.
    for (int row : {3, 2, 0})
        clickBox(used(row));
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupNumbers, SalesGroup), 8);
    EXPECT_EQ(lastMember(), QStringLiteral("8"));
}

TEST_F(GroupPanelTest, AMembersUsedOfOneTwoByteElementShowsMembersNineToSixteen)
{
    const int id = ExchClass::info(ExchClass::GroupsMember).definitionId;
    groups().BuildStructure(definitionPacket(id, "GROUPS", 4,
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
    EXPECT_EQ(ticks(), QList<bool>(GroupPanel::GridRows, false));
    scrollBar()->setValue(9);
    EXPECT_EQ(numbers(), strings({"9", "10", "11", "12", "13", "14", "15", "16"}));
    EXPECT_EQ(ticks(), QList<bool>({true, false, false, false, true, false, false, true}));
    EXPECT_EQ(time(7)->text(), QStringLiteral("16"));
    EXPECT_EQ(member(7)->currentText(), QStringLiteral("5 - Sales 1"));

    clickBox(used(1));
    EXPECT_TRUE(groups().GetBit(FieldNames::MembersUsed, SalesGroup, 9));
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupNumbers, SalesGroup), 16);
}

TEST_F(GroupPanelTest, AMemberWhosePortWasDisabledShowsUnknownVPAndMustBeChangedBeforeLeaving)
{
    config().VirtualPorts().SetBoolean(FieldNames::Flag, SalesPort, 0, false);
    openGroup(SalesGroup);
    EXPECT_EQ(member(0)->currentText(), GroupPanel::UnknownVP);

    enter(member(0));
    answerNextMessage();
    leave(member(0));
    EXPECT_EQ(messageTexts(), QStringList{GroupPanel::SelectEnabledVP});
    EXPECT_TRUE(member(0)->hasFocus());
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupMembers, SalesGroup, 0), SalesPort);

    choose(member(0), QString());
    answerNextMessage();
    leave(member(0));
    EXPECT_EQ(messageTexts().last(), GroupPanel::SelectValidVP);
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupMembers, SalesGroup, 0), SalesPort);
    EXPECT_FALSE(changed());

    choose(member(0), QStringLiteral("20 - Lift Phone"));
    leave(member(0));
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupMembers, SalesGroup, 0), 20);
    EXPECT_TRUE(changed());
}

TEST_F(GroupPanelTest, ChoosingAPortOnALaterPageWritesThatMember)
{
    openGroup(SalesGroup);
    pageDown();
    choose(member(7), QStringLiteral("2 - Manager"));
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupMembers, SalesGroup, 11), 2);
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupMembers, SalesGroup, 7), 12);
}

TEST_F(GroupPanelTest, NameTypeAndFlagsWriteTheirFields)
{
    openGroup(AccountsGroup);
    typeInto(control<QLineEdit>(QStringLiteral("txtGPName")), QStringLiteral("Finance"));
    EXPECT_EQ(groups().GetString(FieldNames::Name, AccountsGroup), QByteArray("Finance"));
    EXPECT_EQ(node(QStringLiteral("GPR2"))->text(0), QStringLiteral("2 - Finance"));

    choose(control<QComboBox>(QStringLiteral("cboGPGroupType")), QStringLiteral("Pickup"));
    EXPECT_EQ(groups().GetInteger(FieldNames::GroupType, AccountsGroup), 4);

    clickBox(control<QCheckBox>(QStringLiteral("chkGPFlag1")));
    EXPECT_TRUE(groups().GetBoolean(FieldNames::Flag, AccountsGroup, 1));
    clickBox(control<QCheckBox>(QStringLiteral("chkGPFlag0")));
    EXPECT_FALSE(groups().GetBoolean(FieldNames::Flag, AccountsGroup, 0));
    EXPECT_TRUE(changed());
}

TEST_F(GroupPanelTest, AGroupZeroRecordFromTheExchangeGetsNoTreeNode)
{
    window->FillGroup(0, replyPacket(groups().RequestCode(), 0, groups().record(0)), true);
    EXPECT_EQ(node(QStringLiteral("GPR0")), nullptr);
    window->FillGroup(0, replyPacket(groups().RequestCode(), AccountsGroup, groups().record(AccountsGroup)), true);
    EXPECT_NE(node(QStringLiteral("GPR2")), nullptr);
}
} // namespace
