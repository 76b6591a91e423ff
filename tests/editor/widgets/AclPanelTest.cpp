#include "support/gui/DocumentFixture.h"

#include "editor/FieldLimits.h"
#include "editor/widgets/BitCheckList.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/StructureDefinition.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTreeWidgetItem>

namespace {

// Position of the sample's right "Do Not Disturb".
constexpr int DoNotDisturb = 12;

class AclPanelTest : public DocumentFixture
{
protected:
    RecordClass &acls() { return config().ACL(); }
    QCheckBox *flag(int bit) const { return control<QCheckBox>(QStringLiteral("chkACLFlag%1").arg(bit)); }
    BitCheckList *list(const char *name) const { return control<BitCheckList>(name); }
    BitCheckList *rights() const { return list("lstACLRights"); }
    static QStringList texts(const BitCheckList *list)
    {
        QStringList result;
        for (const BitEntry &entry : list->entries())
            result.append(entry.text);
        return result;
    }
    // Byte n (from 0) of a field of an ACL.
    quint8 fieldByte(const char *field, int index, int n)
    {
        return quint8(acls().record(index).at(FieldLimits::find(acls(), field).StartPosn - 1 + n));
    }
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

TEST_F(AclPanelTest, RightsComeFromTheRightsStructureInTheirOrderAndAreTickedAsStored)
{
    open(QStringLiteral("ACR5"));
    EXPECT_EQ(flag(0)->text(), QStringLiteral("Ena&bled"));
    EXPECT_EQ(flag(7)->text(), QStringLiteral("Record Blank"));
    EXPECT_TRUE(rights()->isTicked(DoNotDisturb));
    EXPECT_FALSE(rights()->isTicked(11));
    EXPECT_TRUE(list("lstACLSetAccess")->isTicked(3));
    EXPECT_FALSE(list("lstACLSetAccess")->isTicked(1));
    const QList<BitEntry> entries = rights()->entries();
    ASSERT_EQ(entries.size(), 33);
    EXPECT_EQ(entries.first(), (BitEntry{QStringLiteral("VRS 1"), 0}));
    EXPECT_EQ(entries.at(12), (BitEntry{QStringLiteral("Do Not Disturb"), DoNotDisturb}));
    EXPECT_EQ(entries.last(), (BitEntry{QStringLiteral("Inhibit Intrude"), 48}));

    config().member(ExchClass::RightsMember) = RecordClass(&host.log);
    window->GetConfiguration();
    open(QStringLiteral("ACR4"));
    EXPECT_EQ(rights()->count(), 0) << "without a rights definition";
    EXPECT_FALSE(changed(Panel::ACL));
}

TEST_F(AclPanelTest, ARightAtPositionTwelveIsBitFourOfTheSecondByte)
{
    open(QStringLiteral("ACR4"));
    ASSERT_FALSE(rights()->isTicked(DoNotDisturb));
    const quint8 firstByte = fieldByte("Rights", 4, 0);
    const quint8 secondByte = fieldByte("Rights", 4, 1);
    rights()->itemForPosition(DoNotDisturb)->setCheckState(Qt::Checked);
    EXPECT_EQ(fieldByte("Rights", 4, 1), secondByte | 0x10);
    EXPECT_EQ(fieldByte("Rights", 4, 0), firstByte);
    EXPECT_TRUE(changed(Panel::ACL));
    rights()->itemForPosition(DoNotDisturb)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(fieldByte("Rights", 4, 1), secondByte);
}

TEST_F(AclPanelTest, ARightInASevenByteRightsElementIsStoredAndShownAgain)
{
    useSevenByteRights();
    open(QStringLiteral("ACR3"));
    rights()->itemForPosition(DoNotDisturb)->setCheckState(Qt::Checked);
    EXPECT_EQ(fieldByte("Rights", 3, 1), 0x10);
    EXPECT_EQ(fieldByte("Rights", 3, 0), 0);
    EXPECT_EQ(fieldByte("ClassAccess", 3, 0), 0) << "the next field is untouched";
    open(QStringLiteral("ACR2"));
    EXPECT_FALSE(rights()->isTicked(DoNotDisturb));
    open(QStringLiteral("ACR3"));
    EXPECT_TRUE(rights()->isTicked(DoNotDisturb));

    // Seven bytes hold bits 0 to 55; the sample's rights all fit but one made here does not.
    config().Rights().BuildStructure(
        StructureDefinition(ExchClass::info(ExchClass::RightsMember).definitionId, "RIGHTS", 0)
            .field("Park", FieldType::Boolean, 0, 13)
            .field("Far Right", FieldType::Boolean, 0, 56)
            .packet());
    window->BuildRights(QByteArray());
    EXPECT_EQ(rights()->count(), 2);
    EXPECT_TRUE(rights()->itemForPosition(13)->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(rights()->itemForPosition(56)->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(changed(Panel::ACL));
}

TEST_F(AclPanelTest, FillingAnAclWithAnotherEnabledBitDoesNotMarkThePanelChanged)
{
    ASSERT_FALSE(RecordSlots::isInUseAndEnabled(acls(), 13));
    window->FillACL(4, QByteArray(), false);
    EXPECT_TRUE(flag(0)->isChecked());
    window->FillACL(13, QByteArray(), false);
    EXPECT_FALSE(flag(0)->isChecked());
    window->FillACL(4, QByteArray(), false);
    EXPECT_FALSE(changed(Panel::ACL));
}

TEST_F(AclPanelTest, ClassListsOfferTheEnabledClassesAndWriteTheirBits)
{
    open(QStringLiteral("ACR6"));
    BitCheckList *classAccess = list("lstACLClassAccess");
    EXPECT_EQ(texts(classAccess),
              strings({"General", "Management", "Sales", "Accounts", "Warehouse", "Tie Lines", "Paging", "Guests"}));
    EXPECT_EQ(texts(list("lstACLSetAccess")), texts(classAccess));
    EXPECT_TRUE(classAccess->isTicked(5));
    EXPECT_FALSE(classAccess->isTicked(8));
    classAccess->itemForPosition(8)->setCheckState(Qt::Checked);
    EXPECT_TRUE(acls().GetBit(FieldNames::ClassAccess, 6, 8));
    EXPECT_TRUE(changed(Panel::ACL));
    list("lstACLSetAccess")->itemForPosition(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(acls().GetBit(FieldNames::SetAccess, 6, 0));
}

TEST_F(AclPanelTest, RecordBlankDeletesTheAclOnlyOnceConfirmedAndTakesItOutOfTheTree)
{
    open(QStringLiteral("ACR5"));
    const QByteArray before = acls().record(5);
    answer(QMessageBox::No);
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
    EXPECT_TRUE(host.written.isEmpty());

    answer(QMessageBox::Yes);
    flag(7)->click();
    EXPECT_TRUE(RecordSlots::isFree(acls(), 5));
    EXPECT_FALSE(acls().GetRecordUsed(5));
    EXPECT_EQ(node(QStringLiteral("ACR5")), nullptr);
    EXPECT_EQ(host.written, (Writes{{ExchClass::ACLMember, 5}}));
}

} // namespace
