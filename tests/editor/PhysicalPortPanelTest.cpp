#include "FocusedPanelFixture.h"

#include "FieldNames.h"

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>

namespace {

using Panel = DocumentWindow::Panel;

// The sample binds ports 0-7, 16-23, 32-39, 80 and 96-100; every other
// position has VIRTPORT 255.
class PhysicalPortPanel : public FocusedPanelFixture
{
protected:
    void SetUp() override
    {
        FocusedPanelFixture::SetUp();
        open(QStringLiteral("RPV"));
        list = control<QTreeWidget>(QStringLiteral("lvwPorts"));
        selector = control<QComboBox>(QStringLiteral("cboPhysicalVP"));
    }

    RecordClass &ports() { return config().PortToVirtual(); }

    QTreeWidgetItem *item(int port) const
    {
        const QString key = QStringLiteral("H") + QString::number(port);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
                return list->topLevelItem(i);
        }
        return nullptr;
    }

    QStringList row(int port) const
    {
        const QTreeWidgetItem *found = item(port);
        return found ? QStringList{found->text(0), found->text(1), found->text(2)} : QStringList();
    }

    void clickItem(int port)
    {
        QTreeWidgetItem *found = item(port);
        ASSERT_NE(found, nullptr);
        list->scrollToItem(found);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(found).center());
    }

    QTreeWidget *list = nullptr;
    QComboBox *selector = nullptr;
};

TEST_F(PhysicalPortPanel, ListsEveryBoundPortWithItsBoardPositionPortAndTerminal)
{
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Board Posn"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Virtual Port"));
    EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("Term Name"));
    EXPECT_EQ(list->topLevelItemCount(), 30);
    EXPECT_EQ(row(37), strings({"Board 3; Port 6", "21 (Fax)", "Ext 22"}));
    EXPECT_EQ(row(80), strings({"Board Aux; Port 1", "30 (Aux Line)", "Aux 1"}));
    EXPECT_EQ(row(98), strings({"Board Tie; Port 3", "26 (Tie Line 3)", "Tie 3"}));
    EXPECT_EQ(row(100), strings({"Board Tie; Port 5", "28 (PA System)", "PA 1"}));
    EXPECT_EQ(item(8), nullptr) << "VIRTPORT 255: no port there";
    EXPECT_EQ(item(101), nullptr);
}

TEST_F(PhysicalPortPanel, PortsOfAnUnknownBoardShowTheBoardNumberAndAQuestionMark)
{
    ports().PutBlank(112);
    ports().PutBlank(113);
    ports().SetInteger(FieldNames::VirtPort, 113, 5);
    ports().SetInteger(FieldNames::VirtPort, 84, 30);
    ports().SetInteger(FieldNames::VirtPort, 101, 28);
    open(QStringLiteral("RPV"));
    EXPECT_EQ(row(113), strings({"Board 7?; Port 2", "5 (Sales 1)", "7?"}));
    EXPECT_EQ(row(84), strings({"Board Aux; Port 5", "30 (Aux Line)", "Aux 5"}));
    EXPECT_EQ(row(101), strings({"Board Tie; Port 6", "28 (PA System)", "PA 2"}));
    EXPECT_EQ(item(112), nullptr);
}

TEST_F(PhysicalPortPanel, RebindingToTheSamePortSendsNothingAndToAnotherSendsOneRecord)
{
    clickItem(37);
    EXPECT_EQ(selector->currentText(), QStringLiteral("21 - Fax"));
    enter(selector);
    leaveTo(list);
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_FALSE(window->isChanged(Panel::PhysicalPorts));

    enter(selector);
    selector->setCurrentIndex(selector->findData(2));
    leaveTo(list);
    EXPECT_EQ(ports().GetInteger(FieldNames::VirtPort, 37), 2);
    EXPECT_EQ(item(37)->text(1), QStringLiteral("2 (Manager)"));
    EXPECT_TRUE(window->isChanged(Panel::PhysicalPorts));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, sendCode(ExchClass::PortToVirtualMember));
    EXPECT_EQ(host.sent[0].portId, 37);
}

TEST_F(PhysicalPortPanel, LeavingOnUnknownVpAsksForAPortAndKeepsTheFocus)
{
    clickItem(39);
    EXPECT_EQ(selector->currentText(), QStringLiteral("<Unknown VP>")) << "port 39 is on disabled VP 29";
    enter(selector);
    host.messageService.setNextAnswer(QMessageBox::Ok);
    leaveTo(list);
    EXPECT_EQ(host.messageTexts(), strings({"Select a Virtual Port"}));
    EXPECT_TRUE(selector->hasFocus());
    EXPECT_EQ(ports().GetInteger(FieldNames::VirtPort, 39), 29);
    EXPECT_TRUE(host.sent.isEmpty());

    selector->setCurrentIndex(selector->findData(31));
    leaveTo(list);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(ports().GetInteger(FieldNames::VirtPort, 39), 31);
    EXPECT_EQ(host.sent.size(), 1);
}

} // namespace
