#include "support/gui/DocumentFixture.h"

#include "editor/widgets/ValueComboBox.h"
#include "editor/widgets/VirtualPortPanel.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace {


// Sample virtual ports: 5 "Sales 1" is in group 1 "Sales" and pickup group 3;
// 2 "Manager" is in group 8 and no pickup group; 20 "Lift Phone" is a hot
// line to 200; 26 "Tie Line 3" a DISA port dialling 210.
constexpr int SalesPort = 5;
constexpr int ManagerPort = 2;
constexpr int LiftPhone = 20;

class VirtualPortPanelTest : public DocumentFixture
{
protected:
    RecordClass &ports() { return config().VirtualPorts(); }
    void openPort(int index) { open(QStringLiteral("VPR%1").arg(index)); }
    QComboBox *list(const char *name) const { return control<QComboBox>(name); }
    QStringList items(const char *name) const { return itemTexts(list(name)); }
};

TEST_F(VirtualPortPanelTest, TheDefaultAclListOffersEnabledAclsNotHiddenAndUnknownAclOnlyForANameThatIsNone)
{
    // ACLs 1, 2, 3 and 11 are enabled but marked "No Display"; 13 is disabled.
    openPort(SalesPort);
    EXPECT_EQ(items("cboVPACL"), strings({"<Unknown ACL>", "4 - Reception", "5 - Manager", "6 - Staff",
                                          "7 - Warehouse", "8 - Guest", "9 - Lobby", "10 - Night Service"}));
    const auto *acls = control<ValueComboBox>("cboVPACL");
    QList<int> values;
    for (int i = 0; i < acls->count(); ++i)
        values.append(acls->valueAt(i));
    EXPECT_EQ(values, QList<int>({-1, 4, 5, 6, 7, 8, 9, 10}));

    ports().SetInteger(FieldNames::ACLID, SalesPort, 13);
    openPort(ManagerPort);
    openPort(SalesPort);
    EXPECT_EQ(list("cboVPACL")->currentIndex(), 1) << "an ACL id naming a disabled ACL";

    for (int i = 0; i < config().ACL().Records(); ++i)
        config().ACL().SetBoolean(FieldNames::Flag, i, 0, false);
    open(QStringLiteral("RRR"));
    openPort(ManagerPort);
    EXPECT_EQ(items("cboVPACL"), strings({"<Unknown ACL>"}));
    enter(list("cboVPACL"));
    leave(list("cboVPACL"));
    EXPECT_TRUE(messageTexts().isEmpty()) << "with no ACL to offer the engineer may leave";
    EXPECT_FALSE(list("cboVPACL")->hasFocus());
}

TEST_F(VirtualPortPanelTest, GroupListsOfferEnabledGroupsUpToTwentyAndShowNoGroupWithoutTheMembershipBit)
{
    // Groups 21 and up are never offered; group 7 is disabled.
    RecordClass &groups = config().Groups();
    groups.PutBlank(21);
    for (int g : {19, 20, 21})
        groups.CopyRecord(1, g);
    openPort(SalesPort);
    EXPECT_EQ(items("cboVPGroup"), strings({"<No Group>", "0 - Operators", "1 - Sales", "2 - Accounts", "5 - Yard",
                                            "8 - Night", "19 - Sales", "20 - Sales"}));
    EXPECT_EQ(items("cboVPPickup"), strings({"<No Group>", "3 - Office Pickup", "4 - Yard Pickup"}));

    ports().SetBoolean(FieldNames::Flag, SalesPort, 1, false); // in group
    openPort(SalesPort);
    EXPECT_EQ(list("cboVPGroup")->currentIndex(), 0) << "a group id without its membership bit";
}

TEST_F(VirtualPortPanelTest, ChoosingTheGroupOnShowWritesNothing)
{
    openPort(SalesPort);
    const QByteArray before = ports().record(SalesPort);
    choose(list("cboVPGroup"), QStringLiteral("1 - Sales"));
    EXPECT_EQ(ports().record(SalesPort), before);
    EXPECT_FALSE(changed(Panel::VirtualPorts));
}

TEST_F(VirtualPortPanelTest, ClassesAndOptionsTickTheirOwnBits)
{
    openPort(SalesPort);
    auto *panel = control<VirtualPortPanel>("fmeVP");
    panel->setClassEntries({{QStringLiteral("General"), 0}, {QStringLiteral("Old Class"), 9}});
    auto *classes = control<QListWidget>("lstVPClassCode");
    EXPECT_EQ(classes->item(0)->checkState(), Qt::Checked) << "the shown port's classes stay ticked";
    EXPECT_EQ(classes->item(1)->checkState(), Qt::Unchecked);
    classes->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(ports().GetBoolean(FieldNames::ClassCode, SalesPort, 1, 1)) << "bit 1 of the second byte";
    EXPECT_FALSE(ports().GetBoolean(FieldNames::ClassCode, SalesPort, 1, 0));
    EXPECT_TRUE(changed(Panel::VirtualPorts));
    openPort(ManagerPort);
    openPort(SalesPort);
    EXPECT_EQ(classes->item(1)->checkState(), Qt::Checked);

    auto *options = control<QListWidget>("lstVPOptions");
    QStringList texts;
    for (int i = 0; i < options->count(); ++i)
        texts.append(options->item(i)->text());
    EXPECT_EQ(texts, strings({"Powerdown", "Engaged Tone", "Only LD", "Paged", "Non Emergency", "No Terminator",
                              "T&T Capsat\u00AE Fleet", "No Group on Busy"}));
    options->item(6)->setCheckState(Qt::Checked);
    EXPECT_TRUE(ports().GetBoolean(FieldNames::ActionFlag, SalesPort, 6));
    options->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(ports().GetBoolean(FieldNames::ActionFlag, SalesPort, 4));
}

TEST_F(VirtualPortPanelTest, SwitchingFromHotLineToDisaKeepsTheStoredExtrasAndShowsThemAsDigits)
{
    openPort(LiftPhone);

    // The same bytes read as digits: 200 is 0x00C8, "#" and "8".
    choose(list("cboVPActionType"), QStringLiteral("DISA"));
    EXPECT_EQ(box("txtVPActionExtra0")->text(), QStringLiteral("#8"));
    enter(box("txtVPActionExtra0"));
    leave(box("txtVPActionExtra0"));
    EXPECT_EQ(ports().GetInteger(FieldNames::ActionExtra, LiftPhone, 0), 200);

    typeOver(box("txtVPActionExtra0"), QStringLiteral("*0#"));
    EXPECT_EQ(ports().GetDigit(FieldNames::ActionExtra, LiftPhone, 0), QByteArray("*0#"));
    typeOver(box("txtVPActionExtra1"), QStringLiteral(" 007 "));
    EXPECT_EQ(ports().GetDigit(FieldNames::ActionExtra, LiftPhone, 1), QByteArray("007"));
    choose(list("cboVPActionType"), QStringLiteral("Warm Line"));
    typeOver(box("txtVPActionExtra1"), QStringLiteral(" 007 "));
    EXPECT_EQ(ports().GetInteger(FieldNames::ActionExtra, LiftPhone, 1), 7);
    EXPECT_EQ(box("txtVPActionExtra1")->text(), QStringLiteral("7"));
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(VirtualPortPanelTest, OpeningPortsOfEveryKindMarksNothingAndTheLinkBoxesLookReadOnly)
{
    for (int index : {0, SalesPort, LiftPhone, 26, 27, 29})
        openPort(index);
    openPort(0);
    EXPECT_FALSE(changed(Panel::VirtualPorts));
    EXPECT_TRUE(host.written.isEmpty());
    for (const char *name : {"txtVPDial", "txtVPPhysical"}) {
        EXPECT_TRUE(box(name)->isReadOnly()) << name;
        EXPECT_EQ(box(name)->palette().color(QPalette::Base), box(name)->palette().color(QPalette::Window))
            << name << " looks like a box to type in";
    }
}

} // namespace
