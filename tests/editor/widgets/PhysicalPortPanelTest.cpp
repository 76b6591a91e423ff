#include "support/gui/DocumentFixture.h"

namespace {

// The sample binds ports 0-7, 16-23, 32-39, 80 and 96-100; every other
// position has VIRTPORT 255.
class PhysicalPortPanel : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        open(QStringLiteral("RPV"));
        list = control<QTreeWidget>("lvwPorts");
        selector = control<QComboBox>("cboPhysicalVP");
    }

    RecordClass &ports() { return config().PortToVirtual(); }
    QTreeWidgetItem *item(int port) const { return itemWithKey(list, QStringLiteral("H%1").arg(port)); }
    QStringList row(int port) const
    {
        const QTreeWidgetItem *found = item(port);
        return found ? QStringList{found->text(0), found->text(1), found->text(2)} : QStringList();
    }

    QTreeWidget *list = nullptr;
    QComboBox *selector = nullptr;
};

TEST_F(PhysicalPortPanel, ListsEveryBoundPortWithItsBoardPositionPortAndTerminal)
{
    EXPECT_EQ(list->headerItem()->text(0) + list->headerItem()->text(1) + list->headerItem()->text(2),
              QStringLiteral("Board PosnVirtual PortTerm Name"));
    EXPECT_EQ(list->topLevelItemCount(), 30);
    EXPECT_EQ(row(37), strings({"Board 3; Port 6", "21 (Fax)", "Ext 22"}));
    EXPECT_EQ(row(98), strings({"Board Tie; Port 3", "26 (Tie Line 3)", "Tie 3"}));
    EXPECT_EQ(item(8), nullptr) << "VIRTPORT 255: no port there";

    ports().PutBlank(112);
    ports().PutBlank(113);
    ports().SetInteger(FieldNames::VirtPort, 113, 5);
    ports().SetInteger(FieldNames::VirtPort, 84, 30);
    open(QStringLiteral("RPV"));
    EXPECT_EQ(row(113), strings({"Board 7?; Port 2", "5 (Sales 1)", "7?"}));
    EXPECT_EQ(row(84), strings({"Board Aux; Port 5", "30 (Aux Line)", "Aux 5"}));
    EXPECT_EQ(item(112), nullptr);
}

TEST_F(PhysicalPortPanel, RebindingToTheSamePortSendsNothingAndToAnotherSendsOneRecord)
{
    clickItem(list, item(37));
    EXPECT_EQ(selector->currentText(), QStringLiteral("21 - Fax"));
    enter(selector);
    leave(selector);
    EXPECT_TRUE(host.written.isEmpty());
    EXPECT_FALSE(changed(Panel::PhysicalPorts));

    enter(selector);
    selector->setCurrentIndex(selector->findData(0));
    leave(selector);
    EXPECT_EQ(ports().GetInteger(FieldNames::VirtPort, 37), 0);
    EXPECT_EQ(item(37)->text(1), QStringLiteral("0 (Reception)"));
    EXPECT_TRUE(changed(Panel::PhysicalPorts));
    EXPECT_EQ(host.written, (Writes{{ExchClass::PortToVirtualMember, 37}}));
}

TEST_F(PhysicalPortPanel, LeavingOnUnknownVpAsksForAPortAndKeepsTheFocus)
{
    clickItem(list, item(39));
    EXPECT_EQ(selector->currentText(), QStringLiteral("<Unknown VP>")) << "port 39 is on disabled VP 29";
    enter(selector);
    answer();
    leave(selector);
    EXPECT_EQ(messageTexts(), strings({"Select a Virtual Port"}));
    EXPECT_TRUE(selector->hasFocus());
    EXPECT_EQ(ports().GetInteger(FieldNames::VirtPort, 39), 29);

    selector->setCurrentIndex(selector->findData(31));
    leave(selector);
    EXPECT_FALSE(selector->hasFocus());
    EXPECT_EQ(ports().GetInteger(FieldNames::VirtPort, 39), 31);
    EXPECT_EQ(host.written, (Writes{{ExchClass::PortToVirtualMember, 39}}));
}

} // namespace
