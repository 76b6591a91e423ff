#include "RecordEditingFixture.h"

#include "AclPanel.h"
#include "BitCheckList.h"
#include "FieldNames.h"
#include "RecordSlots.h"
#include "ReplyPacket.h"
#include "StructureDefinition.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTreeWidgetItem>

namespace {

using Panel = DocumentWindow::Panel;

// Position of the sample's right "Do Not Disturb".
constexpr int DoNotDisturb = 12;

class AclPanelTest : public RecordEditingFixture
{
protected:
    RecordClass &acls() { return config().ACL(); }
    QCheckBox *flag(int bit) const
    {
        return widget<QCheckBox>(qPrintable(QStringLiteral("chkACLFlag") + QString::number(bit)));
    }
    BitCheckList *rights() const { return checkList("lstACLRights"); }
    // An ACL layout whose rights are one element of seven bytes.
    void useSevenByteRights()
    {
        acls().BuildStructure(StructureDefinition(ExchClass::info(ExchClass::ACLMember).definitionId, "ACL", 8)
                                  .field("Name", FieldType::String, 1, 16)
                                  .field("Flag", FieldType::Boolean, 1)
                                  .field("PublicID", FieldType::Digit, 3)
                                  .field("PassCode", FieldType::Digit, 3)
                                  .field("PriorityLevel", FieldType::Integer, 1)
                                  .field("RingType", FieldType::Integer, 1)
                                  .field("Rights", FieldType::Boolean, 7)
                                  .field("ClassAccess", FieldType::Boolean, 1, 8)
                                  .field("SetAccess", FieldType::Boolean, 1, 8)
                                  .packet());
        for (int i = 0; i < acls().Records(); ++i) {
            acls().PutBlank(i);
            acls().SetString(FieldNames::Name, i, "User " + QByteArray::number(i));
            for (const char *field : {"Flag", "Rights", "ClassAccess", "SetAccess"})
                acls().ClearAllBoolean(field, i);
        }
        window->GetConfiguration();
    }
};

TEST_F(AclPanelTest, ShowsTheAclRecord)
{
    open(QStringLiteral("ACR5"));
    EXPECT_EQ(box("txtACLName")->text(), QStringLiteral("Manager"));
    EXPECT_EQ(box("txtACLPublicID")->text(), QStringLiteral("1005"));
    EXPECT_EQ(box("txtACLPassCode")->text(), QStringLiteral("7305"));
    EXPECT_EQ(box("txtACLRingType")->text(), QStringLiteral("2"));
    EXPECT_EQ(box("txtACLPriorityLevel")->text(), QStringLiteral("7"));
    EXPECT_TRUE(flag(0)->isChecked());
    EXPECT_TRUE(flag(4)->isChecked());
    EXPECT_FALSE(flag(1)->isChecked());
    EXPECT_EQ(flag(0)->text(), QStringLiteral("Ena&bled"));
    EXPECT_EQ(flag(7)->text(), QStringLiteral("Record Blank"));
    EXPECT_TRUE(rights()->isTicked(DoNotDisturb));
    EXPECT_FALSE(rights()->isTicked(11));
    EXPECT_TRUE(checkList("lstACLSetAccess")->isTicked(3));
    EXPECT_FALSE(checkList("lstACLSetAccess")->isTicked(1));
}

TEST_F(AclPanelTest, RightsComeFromTheRightsStructureInItsOrder)
{
    const QList<BitEntry> entries = rights()->entries();
    ASSERT_EQ(entries.size(), 33);
    EXPECT_EQ(entries.first(), (BitEntry{QStringLiteral("VRS 1"), 0}));
    EXPECT_EQ(entries.at(12), (BitEntry{QStringLiteral("Do Not Disturb"), DoNotDisturb}));
    EXPECT_EQ(entries.last(), (BitEntry{QStringLiteral("Inhibit Intrude"), 48}));
}

TEST_F(AclPanelTest, WithoutARightsDefinitionTheRightsListIsEmpty)
{
    config().member(ExchClass::RightsMember) = RecordClass(&host.log);
    window->GetConfiguration();
    open(QStringLiteral("ACR4"));
    EXPECT_EQ(rights()->count(), 0);
    EXPECT_FALSE(window->isChanged(Panel::ACL));
}

TEST_F(AclPanelTest, ARightAtPositionTwelveIsBitFourOfTheSecondByte)
{
    open(QStringLiteral("ACR4"));
    ASSERT_FALSE(rights()->isTicked(DoNotDisturb));
    const quint8 firstByte = fieldByte(acls(), "Rights", 4, 0);
    const quint8 secondByte = fieldByte(acls(), "Rights", 4, 1);

    rights()->itemForPosition(DoNotDisturb)->setCheckState(Qt::Checked);
    EXPECT_EQ(fieldByte(acls(), "Rights", 4, 1), secondByte | 0x10);
    EXPECT_EQ(fieldByte(acls(), "Rights", 4, 0), firstByte);
    EXPECT_TRUE(window->isChanged(Panel::ACL));

    rights()->itemForPosition(DoNotDisturb)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(fieldByte(acls(), "Rights", 4, 1), secondByte);
}

TEST_F(AclPanelTest, ARightInASevenByteRightsElementIsStoredAndShownAgain)
{
    useSevenByteRights();
    open(QStringLiteral("ACR3"));
    rights()->itemForPosition(DoNotDisturb)->setCheckState(Qt::Checked);
    EXPECT_EQ(fieldByte(acls(), "Rights", 3, 1), 0x10);
    EXPECT_EQ(fieldByte(acls(), "Rights", 3, 0), 0);
    EXPECT_EQ(fieldByte(acls(), "ClassAccess", 3, 0), 0) << "the next field is untouched";

    open(QStringLiteral("ACR2"));
    EXPECT_FALSE(rights()->isTicked(DoNotDisturb));
    open(QStringLiteral("ACR3"));
    EXPECT_TRUE(rights()->isTicked(DoNotDisturb));
}

TEST_F(AclPanelTest, RightsPastTheRecordsFieldCannotBeTicked)
{
    useSevenByteRights();
    open(QStringLiteral("ACR3"));
    // Seven bytes hold bits 0 to 55; the sample's rights all fit but one made here does not.
    config().Rights().BuildStructure(StructureDefinition(ExchClass::info(ExchClass::RightsMember).definitionId,
                                                         "RIGHTS", 0)
                                         .field("Park", FieldType::Boolean, 0, 13)
                                         .field("Far Right", FieldType::Boolean, 0, 56)
                                         .packet());
    window->BuildRights(QByteArray());
    EXPECT_EQ(rights()->count(), 2);
    EXPECT_TRUE(rights()->itemForPosition(13)->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(rights()->itemForPosition(56)->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(window->isChanged(Panel::ACL));
}

TEST_F(AclPanelTest, FillingAnAclWithAnotherEnabledBitDoesNotMarkThePanelChanged)
{
    ASSERT_FALSE(RecordSlots::isInUseAndEnabled(acls(), 13));
    window->FillACL(4, QByteArray(), false);
    EXPECT_TRUE(flag(0)->isChecked());
    window->FillACL(13, QByteArray(), false);
    EXPECT_FALSE(flag(0)->isChecked());
    window->FillACL(4, QByteArray(), false);
    EXPECT_FALSE(window->isChanged(Panel::ACL));

    // The same from the exchange, for the record on show.
    acls().SetBoolean(FieldNames::Flag, 4, RecordSlots::EnabledBit, false);
    const QByteArray packet = recordPacket(acls(), 4);
    acls().SetBoolean(FieldNames::Flag, 4, RecordSlots::EnabledBit, true);
    window->FillACL(0, packet, true);
    EXPECT_FALSE(flag(0)->isChecked());
    EXPECT_FALSE(acls().GetBoolean(FieldNames::Flag, 4, RecordSlots::EnabledBit)) << "the packet is stored";
    EXPECT_FALSE(window->isChanged(Panel::ACL));
}

TEST_F(AclPanelTest, AnotherAclFromTheExchangeIsStoredButNotShown)
{
    open(QStringLiteral("ACR4"));
    acls().SetString(FieldNames::Name, 6, "Office Staff");
    const QByteArray packet = recordPacket(acls(), 6);
    acls().SetString(FieldNames::Name, 6, "Staff");

    window->FillACL(0, packet, true);
    EXPECT_EQ(acls().GetString(FieldNames::Name, 6), QByteArrayLiteral("Office Staff"));
    EXPECT_EQ(box("txtACLName")->text(), QStringLiteral("Reception"));
    typeInto(box("txtACLName"), QStringLiteral("Front Desk"));
    leave(box("txtACLName"));
    EXPECT_EQ(acls().GetString(FieldNames::Name, 4), QByteArrayLiteral("Front Desk"));
    EXPECT_EQ(acls().GetString(FieldNames::Name, 6), QByteArrayLiteral("Office Staff"));
}

TEST_F(AclPanelTest, RenamingUpdatesTheTreeNode)
{
    open(QStringLiteral("ACR4"));
    typeInto(box("txtACLName"), QStringLiteral("Front Desk"));
    leave(box("txtACLName"));
    EXPECT_EQ(node(QStringLiteral("ACR4"))->text(0), QStringLiteral("4 - Front Desk"));
    EXPECT_TRUE(window->isChanged(Panel::ACL));

    typeInto(box("txtACLName"), QString());
    leave(box("txtACLName"));
    EXPECT_EQ(node(QStringLiteral("ACR4"))->text(0), QStringLiteral("4 - <No Name>"));
}

TEST_F(AclPanelTest, CodesAreStoredAsDigits)
{
    open(QStringLiteral("ACR4"));
    EXPECT_EQ(box("txtACLPublicID")->maxLength(), 6);
    typeInto(box("txtACLPublicID"), QStringLiteral("20#"));
    leave(box("txtACLPublicID"));
    typeInto(box("txtACLPassCode"), QStringLiteral("*0"));
    leave(box("txtACLPassCode"));
    EXPECT_EQ(acls().GetDigit(FieldNames::PublicID, 4), QByteArrayLiteral("20#"));
    EXPECT_EQ(acls().GetDigit(FieldNames::PassCode, 4), QByteArrayLiteral("*0"));
    EXPECT_TRUE(window->isChanged(Panel::ACL));
}

TEST_F(AclPanelTest, FlagBoxesWriteTheirBit)
{
    open(QStringLiteral("ACR4"));
    flag(1)->click();
    EXPECT_TRUE(acls().GetBoolean(FieldNames::Flag, 4, 1));
    EXPECT_TRUE(window->isChanged(Panel::ACL));
    flag(0)->click();
    EXPECT_FALSE(acls().GetBoolean(FieldNames::Flag, 4, RecordSlots::EnabledBit));
}

TEST_F(AclPanelTest, RecordBlankDeletesTheAclOnlyOnceConfirmedAndTakesItOutOfTheTree)
{
    open(QStringLiteral("ACR5"));
    const QByteArray before = acls().record(5);
    host.messageService.setNextAnswer(QMessageBox::No);
    flag(7)->click();
    const QList<MessageService::Message> asked = host.messageService.shownMessages();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].text, QStringLiteral("Delete ACL 5 (Manager)? Its record will be freed. "
                                            "1 virtual port has it as its default ACL."));
    EXPECT_EQ(asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(asked[0].defaultButton, QMessageBox::No);
    EXPECT_FALSE(flag(7)->isChecked());
    EXPECT_EQ(acls().record(5), before);
    EXPECT_NE(node(QStringLiteral("ACR5")), nullptr);
    EXPECT_TRUE(host.sent.isEmpty());

    host.messageService.setNextAnswer(QMessageBox::Yes);
    flag(7)->click();
    EXPECT_TRUE(RecordSlots::isFree(acls(), 5));
    EXPECT_FALSE(acls().GetRecordUsed(5));
    EXPECT_EQ(node(QStringLiteral("ACR5")), nullptr);
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, sendCode(ExchClass::ACLMember));
    EXPECT_EQ(host.sent[0].portId, 5);
}

TEST_F(AclPanelTest, ClassListsOfferTheEnabledClassesAndWriteTheirBits)
{
    open(QStringLiteral("ACR6"));
    BitCheckList *classAccess = checkList("lstACLClassAccess");
    EXPECT_EQ(listTexts(classAccess), strings({"General", "Management", "Sales", "Accounts", "Warehouse", "Tie Lines",
                                               "Paging", "Guests"}));
    EXPECT_EQ(listTexts(checkList("lstACLSetAccess")), listTexts(classAccess));
    EXPECT_TRUE(classAccess->isTicked(5));
    EXPECT_FALSE(classAccess->isTicked(8));

    listItem(classAccess, QStringLiteral("Guests"))->setCheckState(Qt::Checked);
    EXPECT_TRUE(acls().GetBit(FieldNames::ClassAccess, 6, 8));
    EXPECT_TRUE(window->isChanged(Panel::ACL));
    listItem(checkList("lstACLSetAccess"), QStringLiteral("General"))->setCheckState(Qt::Checked);
    EXPECT_TRUE(acls().GetBit(FieldNames::SetAccess, 6, 0));
}

} // namespace
