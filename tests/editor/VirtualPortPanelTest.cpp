#include "PanelTestSupport.h"

#include "ExchClass.h"
#include "FieldNames.h"
#include "PacketCode.h"
#include "TestSupport.h"
#include "ValueComboBox.h"
#include "VirtualPortPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidgetItem>

namespace {
using Panel = DocumentWindow::Panel;

constexpr int FlagEnabled = 0;
constexpr int FlagInGroup = 1;
constexpr int FlagInPickup = 3;
constexpr int FlagFree = 7;

// Sample virtual ports: 5 "Sales 1" is in group 1 "Sales" and pickup group 3;
// 2 "Manager" is in group 8 and no pickup group; 20 "Lift Phone" is a hot
// line to 200; 26 "Tie Line 3" a DISA port dialling 210.
constexpr int SalesPort = 5;
constexpr int ManagerPort = 2;
constexpr int LiftPhone = 20;
constexpr int DisaPort = 26;
constexpr int SalesGroup = 1;
constexpr int DisabledAcl = 13;

class VirtualPortPanelTest : public PanelFixture
{
protected:
    RecordClass &ports() { return config().VirtualPorts(); }
    VirtualPortPanel *panel() const
    {
        return static_cast<VirtualPortPanel *>(window->panelWidget(Panel::VirtualPorts));
    }
    void openPort(int index) { open(QStringLiteral("VPR%1").arg(index)); }
    bool changed() const { return window->isChanged(Panel::VirtualPorts); }
    bool flag(int index, int bit) { return ports().GetBoolean(FieldNames::Flag, index, bit); }
    QLineEdit *box(const char *name) const { return control<QLineEdit>(QLatin1String(name)); }
    QComboBox *list(const char *name) const { return control<QComboBox>(QLatin1String(name)); }
    QList<int> values(const char *name) const
    {
        const auto *choices = control<ValueComboBox>(QLatin1String(name));
        QList<int> result;
        for (int i = 0; i < choices->count(); ++i)
            result.append(choices->valueAt(i));
        return result;
    }
};

TEST_F(VirtualPortPanelTest, TheVirtualPortAndGroupPanelsFitAWindowOfTheDefaultSize)
{
    window->resize(window->sizeHint());
    for (const char *key : {"VPR20", "GPR1"}) {
        open(QLatin1String(key));
        QCoreApplication::processEvents();
        EXPECT_EQ(window->width(), window->sizeHint().width()) << key;
        EXPECT_EQ(window->height(), window->sizeHint().height()) << key;
    }
    for (const char *name : {"fmeVP", "fmeGroup"}) {
        const QGroupBox *panel = frame(name);
        EXPECT_GE(panel->width(), panel->minimumSizeHint().width()) << name;
        EXPECT_GE(panel->height(), panel->minimumSizeHint().height()) << name;
    }
}

TEST_F(VirtualPortPanelTest, DefaultAclListLeavesOutHiddenDisabledAndFreeAcls)
{
    // ACLs 1, 2, 3 and 11 are enabled but marked "No Display"; 13 is disabled.
    ASSERT_TRUE(config().ACL().GetBoolean(FieldNames::Flag, 1, FlagEnabled));
    openPort(SalesPort);
    EXPECT_EQ(itemTexts(list("cboVPACL")),
              strings({"<Unknown ACL>", "4 - Reception", "5 - Manager", "6 - Staff", "7 - Warehouse", "8 - Guest",
                       "9 - Lobby", "10 - Night Service"}));
    EXPECT_EQ(values("cboVPACL"), QList<int>({-1, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(list("cboVPACL")->currentText(), QStringLiteral("6 - Staff"));
}

TEST_F(VirtualPortPanelTest, AnAclIdNamingADisabledAclShowsTheFirstAclAndLeavingWritesNothing)
{
    ports().SetInteger(FieldNames::ACLID, SalesPort, DisabledAcl);
    const QByteArray before = ports().record(SalesPort);
    openPort(SalesPort);
    EXPECT_EQ(list("cboVPACL")->currentIndex(), 1);

    enter(list("cboVPACL"));
    leave(list("cboVPACL"));
    EXPECT_EQ(ports().record(SalesPort), before);
    EXPECT_FALSE(changed());
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(VirtualPortPanelTest, WithNoAclToOfferTheListShowsUnknownAclAndLetsTheEngineerLeave)
{
    for (int i = 0; i < config().ACL().Records(); ++i)
        config().ACL().SetBoolean(FieldNames::Flag, i, FlagEnabled, false);
    openPort(SalesPort);
    EXPECT_EQ(itemTexts(list("cboVPACL")), strings({"<Unknown ACL>"}));
    EXPECT_EQ(list("cboVPACL")->currentIndex(), 0);

    enter(list("cboVPACL"));
    leave(list("cboVPACL"));
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_FALSE(list("cboVPACL")->hasFocus());
}

TEST_F(VirtualPortPanelTest, ChoosingUnknownAclIsRefusedOnLeavingAndAValidAclIsWritten)
{
    openPort(SalesPort);
    choose(list("cboVPACL"), QStringLiteral("<Unknown ACL>"));
    answerNextMessage();
    leave(list("cboVPACL"));
    EXPECT_EQ(messageTexts(), QStringList{VirtualPortPanel::SelectValidAcl});
    EXPECT_TRUE(list("cboVPACL")->hasFocus());
    EXPECT_EQ(ports().GetInteger(FieldNames::ACLID, SalesPort), 6);
    EXPECT_FALSE(changed());

    choose(list("cboVPACL"), QStringLiteral("9 - Lobby"));
    leave(list("cboVPACL"));
    EXPECT_EQ(ports().GetInteger(FieldNames::ACLID, SalesPort), 9);
    EXPECT_TRUE(changed());
    EXPECT_EQ(messageTexts().size(), 1);
}

TEST_F(VirtualPortPanelTest, GroupListsOfferEnabledGroupsUpToTwentyAndPickupGroupsApart)
{
    // Groups 21 and up are never offered; group 7 is disabled.
    RecordClass &groups = config().Groups();
    groups.PutBlank(21);
    for (int g : {19, 20, 21})
        groups.CopyRecord(SalesGroup, g);
    openPort(SalesPort);
    EXPECT_EQ(itemTexts(list("cboVPGroup")),
              strings({"<No Group>", "0 - Operators", "1 - Sales", "2 - Accounts", "5 - Yard", "8 - Night",
                       "19 - Sales", "20 - Sales"}));
    EXPECT_EQ(itemTexts(list("cboVPPickup")), strings({"<No Group>", "3 - Office Pickup", "4 - Yard Pickup"}));
    EXPECT_EQ(list("cboVPGroup")->currentText(), QStringLiteral("1 - Sales"));
    EXPECT_EQ(list("cboVPPickup")->currentText(), QStringLiteral("3 - Office Pickup"));
}

TEST_F(VirtualPortPanelTest, NoGroupClearsTheMembershipBitButKeepsTheGroupAndTheSameGroupWritesNothing)
{
    openPort(SalesPort);
    const QByteArray before = ports().record(SalesPort);
    choose(list("cboVPGroup"), QStringLiteral("1 - Sales"));
    EXPECT_EQ(ports().record(SalesPort), before);
    EXPECT_FALSE(changed());

    choose(list("cboVPGroup"), QStringLiteral("<No Group>"));
    leave(list("cboVPGroup"));
    EXPECT_FALSE(flag(SalesPort, FlagInGroup));
    EXPECT_EQ(ports().GetInteger(FieldNames::GroupID, SalesPort), SalesGroup);
    EXPECT_TRUE(changed());

    choose(list("cboVPPickup"), QStringLiteral("<No Group>"));
    EXPECT_FALSE(flag(SalesPort, FlagInPickup));
    EXPECT_EQ(ports().GetInteger(FieldNames::PickupID, SalesPort), 3);
}

TEST_F(VirtualPortPanelTest, ChoosingAGroupMakesThePortAMemberOfIt)
{
    openPort(ManagerPort);
    EXPECT_EQ(list("cboVPPickup")->currentIndex(), 0);
    choose(list("cboVPPickup"), QStringLiteral("4 - Yard Pickup"));
    EXPECT_TRUE(flag(ManagerPort, FlagInPickup));
    EXPECT_EQ(ports().GetInteger(FieldNames::PickupID, ManagerPort), 4);

    choose(list("cboVPGroup"), QStringLiteral("2 - Accounts"));
    EXPECT_TRUE(flag(ManagerPort, FlagInGroup));
    EXPECT_EQ(ports().GetInteger(FieldNames::GroupID, ManagerPort), 2);
    EXPECT_TRUE(changed());
}

TEST_F(VirtualPortPanelTest, AGroupIdWithoutItsMembershipBitShowsNoGroup)
{
    ports().SetBoolean(FieldNames::Flag, SalesPort, FlagInGroup, false);
    openPort(SalesPort);
    EXPECT_EQ(list("cboVPGroup")->currentIndex(), 0);
}

TEST_F(VirtualPortPanelTest, AClassAtBitPositionNineIsStoredInBitOneOfTheSecondClassCodeByte)
{
    openPort(SalesPort);
    panel()->setClassEntries({{QStringLiteral("General"), 0}, {QStringLiteral("Old Class"), 9}});
    auto *classes = control<QListWidget>(QStringLiteral("lstVPClassCode"));
    EXPECT_EQ(classes->item(0)->checkState(), Qt::Checked) << "the shown port's classes stay ticked";
    EXPECT_EQ(classes->item(1)->checkState(), Qt::Unchecked);

    classes->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(ports().GetBoolean(FieldNames::ClassCode, SalesPort, 1, 1));
    EXPECT_TRUE(ports().GetBit(FieldNames::ClassCode, SalesPort, 9));
    EXPECT_FALSE(ports().GetBoolean(FieldNames::ClassCode, SalesPort, 1, 0));
    EXPECT_TRUE(changed());

    openPort(ManagerPort);
    openPort(SalesPort);
    EXPECT_EQ(classes->item(1)->checkState(), Qt::Checked);
}

TEST_F(VirtualPortPanelTest, OptionsAreListedInTheirOrderAndTickTheirOwnBits)
{
    openPort(SalesPort);
    auto *options = control<QListWidget>(QStringLiteral("lstVPOptions"));
    QStringList texts;
    for (int i = 0; i < options->count(); ++i)
        texts.append(options->item(i)->text());
    EXPECT_EQ(texts, QStringList({QStringLiteral("Powerdown"), QStringLiteral("Engaged Tone"), QStringLiteral("Only LD"),
                                  QStringLiteral("Paged"), QStringLiteral("Non Emergency"),
                                  QStringLiteral("No Terminator"), QString::fromUtf8("T&T Capsat\xC2\xAE Fleet"),
                                  QStringLiteral("No Group on Busy")}));

    options->item(6)->setCheckState(Qt::Checked);
    EXPECT_TRUE(ports().GetBoolean(FieldNames::ActionFlag, SalesPort, 6));
    options->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(ports().GetBoolean(FieldNames::ActionFlag, SalesPort, 4));
}

TEST_F(VirtualPortPanelTest, SwitchingFromHotLineToDisaKeepsTheStoredExtrasAndShowsThemAsDigits)
{
    openPort(LiftPhone);
    EXPECT_EQ(list("cboVPActionType")->currentText(), QStringLiteral("Hot Line"));
    EXPECT_EQ(box("txtVPActionExtra0")->text(), QStringLiteral("200"));

    // The same bytes read as digits: 200 is 0x00C8, "#" and "8".
    choose(list("cboVPActionType"), QStringLiteral("DISA"));
    EXPECT_EQ(ports().GetInteger(FieldNames::ActionType, LiftPhone), 6);
    EXPECT_EQ(ports().GetInteger(FieldNames::ActionExtra, LiftPhone, 0), 200);
    EXPECT_EQ(box("txtVPActionExtra0")->text(), QStringLiteral("#8"));
    enter(box("txtVPActionExtra0"));
    leave(box("txtVPActionExtra0"));
    EXPECT_EQ(ports().GetInteger(FieldNames::ActionExtra, LiftPhone, 0), 200);

    typeInto(box("txtVPActionExtra0"), QStringLiteral("*0#"));
    EXPECT_EQ(ports().GetDigit(FieldNames::ActionExtra, LiftPhone, 0), QByteArray("*0#"));
    typeInto(box("txtVPActionExtra1"), QStringLiteral(" 007 "));
    EXPECT_EQ(ports().GetDigit(FieldNames::ActionExtra, LiftPhone, 1), QByteArray("007"));

    choose(list("cboVPActionType"), QStringLiteral("Warm Line"));
    typeInto(box("txtVPActionExtra1"), QStringLiteral(" 007 "));
    EXPECT_EQ(ports().GetInteger(FieldNames::ActionExtra, LiftPhone, 1), 7);
    EXPECT_EQ(box("txtVPActionExtra1")->text(), QStringLiteral("7"));
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(VirtualPortPanelTest, RenamingAPortRenamesItsTreeNodeAndAnUntouchedNameKeepsItsBytes)
{
    const QByteArray latin1Name = QByteArrayLiteral("Caf\xE9 Bar");
    ports().SetString(FieldNames::Name, SalesPort, latin1Name);
    openPort(SalesPort);
    EXPECT_EQ(box("txtVPName")->text(), QString::fromLatin1(latin1Name));
    enter(box("txtVPName"));
    leave(box("txtVPName"));
    EXPECT_FALSE(changed());

    typeInto(box("txtVPName"), QStringLiteral("Front Desk"));
    EXPECT_EQ(ports().GetString(FieldNames::Name, SalesPort), QByteArray("Front Desk"));
    EXPECT_EQ(node(QStringLiteral("VPR5"))->text(0), QStringLiteral("5 - Front Desk"));
    EXPECT_TRUE(changed());

    typeInto(box("txtVPName"), QString());
    EXPECT_EQ(node(QStringLiteral("VPR5"))->text(0), QStringLiteral("5 - <No Name>"));
}

TEST_F(VirtualPortPanelTest, GainsTypeAndEnabledWriteWhatTheEngineerChooses)
{
    openPort(SalesPort);
    EXPECT_EQ(list("cboVPTXGain")->count(), 31);
    EXPECT_EQ(list("cboVPTXGain")->itemText(0), QStringLiteral("3 dB"));
    EXPECT_EQ(list("cboVPTXGain")->itemText(30), QStringLiteral("-27 dB"));
    EXPECT_EQ(list("cboVPTXGain")->currentText(), QStringLiteral("0 dB"));

    choose(list("cboVPRXGain"), QStringLiteral("-6 dB"));
    EXPECT_EQ(ports().GetInteger(FieldNames::RXGain, SalesPort), 9);
    choose(list("cboVPType"), QStringLiteral("Talkback"));
    EXPECT_EQ(ports().GetInteger(FieldNames::Type, SalesPort), 4);
    clickBox(control<QCheckBox>(QStringLiteral("chkVPEnabled")));
    EXPECT_FALSE(flag(SalesPort, FlagEnabled));
}

TEST_F(VirtualPortPanelTest, FillingThePanelMarksNothingChanged)
{
    for (int index : {0, SalesPort, LiftPhone, DisaPort, 27, 29})
        openPort(index);
    EXPECT_FALSE(changed());
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(VirtualPortPanelTest, LinkBoxesListTheNumbersAndPhysicalPortsOfThePort)
{
    openPort(0);
    EXPECT_EQ(box("txtVPDial")->text(), QStringLiteral("0; 200; 81 4400"));
    EXPECT_EQ(box("txtVPPhysical")->text(), QStringLiteral("Ext 1 - Port 1"));
    for (const char *name : {"txtVPDial", "txtVPPhysical"}) {
        const QLineEdit *links = box(name);
        EXPECT_TRUE(links->isReadOnly()) << name;
        EXPECT_EQ(links->palette().color(QPalette::Base), links->palette().color(QPalette::Window))
            << name << " looks like a box to type in";
    }
}

TEST_F(VirtualPortPanelTest, CopyingWhenRecordZeroIsFreeCopiesIntoRecordZero)
{
    ports().PutBlank(0);
    window->GetConfiguration();
    openPort(LiftPhone);
    answerNextMessage();
    window->CopyRecord();

    EXPECT_FALSE(flag(0, FlagFree));
    EXPECT_EQ(ports().GetString(FieldNames::Name, 0), QByteArray("New VP 0"));
    EXPECT_EQ(ports().GetInteger(FieldNames::ActionExtra, 0, 0), 200);
    EXPECT_EQ(messageTexts(), strings({"New Virtual Port copied to ID #0"}));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, ports().SendCode());
    EXPECT_EQ(host.sent[0].portId, 0);
    ASSERT_NE(node(QStringLiteral("VPR0")), nullptr);
    EXPECT_EQ(node(QStringLiteral("VPR0"))->text(0), QStringLiteral("0 - New VP 0"));
}

TEST_F(VirtualPortPanelTest, ARecordFromTheExchangeRefreshesThePanelOnlyWhenItIsTheShownOne)
{
    openPort(SalesPort);
    RecordClass copy = ports();
    copy.SetString(FieldNames::Name, LiftPhone, "Lift Car 2");
    copy.SetString(FieldNames::Name, SalesPort, "Sales Desk");

    window->FillVP(0, replyPacket(ports().RequestCode(), LiftPhone, copy.record(LiftPhone)), true);
    EXPECT_EQ(ports().GetString(FieldNames::Name, LiftPhone), QByteArray("Lift Car 2"));
    EXPECT_EQ(node(QStringLiteral("VPR20"))->text(0), QStringLiteral("20 - Lift Car 2"));
    EXPECT_EQ(box("txtVPName")->text(), QStringLiteral("Sales 1"));

    window->FillVP(0, replyPacket(ports().RequestCode(), SalesPort, copy.record(SalesPort)), true);
    EXPECT_EQ(box("txtVPName")->text(), QStringLiteral("Sales Desk"));
    EXPECT_FALSE(changed());
}
} // namespace
