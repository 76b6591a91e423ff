#include "RecordEditingFixture.h"

#include "BitCheckList.h"
#include "ClassListPanel.h"
#include "FieldNames.h"
#include "RecordSlots.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

namespace {

using Panel = DocumentWindow::Panel;

// Sample class records: 0-3 and 5-9 in use, 9 disabled; 4, 10 and 11 free.
constexpr int SalesRecord = 2;
constexpr int TieLinesRecord = 6;
constexpr int OldClassRecord = 9;

class ClassListPanelTest : public RecordEditingFixture
{
protected:
    void SetUp() override
    {
        RecordEditingFixture::SetUp();
        open(QStringLiteral("RCL"));
    }
    RecordClass &classes() { return config().ClassList(); }
    QTreeWidget *classList() const { return widget<QTreeWidget>("lvwClassList"); }
    ClassListPanel *panel() const { return widget<ClassListPanel>("fmeClassList"); }
    QTreeWidgetItem *item(const QString &name) const
    {
        const QList<QTreeWidgetItem *> found = classList()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int i = 0; i < classList()->topLevelItemCount(); ++i)
            texts.append(classList()->topLevelItem(i)->text(column));
        return texts;
    }
    QStringList aclClassAccess() const { return listTexts(checkList("lstACLClassAccess")); }
    void choose(const QString &name)
    {
        QTreeWidgetItem *chosen = item(name);
        ASSERT_NE(chosen, nullptr) << name.toStdString();
        const QRect area = classList()->visualItemRect(chosen);
        QTest::mouseClick(classList()->viewport(), Qt::LeftButton, Qt::NoModifier, area.center());
    }
    // Opens the name of a class in place, types over it and presses Return.
    void rename(const QString &name, const QString &newName)
    {
        choose(name);
        classList()->editItem(item(name), ClassListPanel::NameColumn);
        auto *editor = classList()->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, newName);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits a name typed in place once the key press is through.
        QCoreApplication::processEvents();
    }
    void clickHeader(int section)
    {
        QHeaderView *header = classList()->header();
        const QPoint centre(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }
    QAction *action(const char *name) const { return panel()->findChild<QAction *>(QLatin1String(name)); }
};

TEST_F(ClassListPanelTest, ListsEveryClassInUseInRecordOrderFromSlotZero)
{
    EXPECT_EQ(column(ClassListPanel::NameColumn),
              strings({"General", "Management", "Sales", "Accounts", "Warehouse", "Tie Lines", "Paging", "Guests",
                       "Old Class"}));
    EXPECT_EQ(column(ClassListPanel::PositionColumn), strings({"0", "1", "2", "3", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(item(QStringLiteral("General"))->checkState(0), Qt::Checked);
    EXPECT_EQ(item(QStringLiteral("Old Class"))->checkState(0), Qt::Unchecked);
    EXPECT_EQ(classList()->headerItem()->text(0), QStringLiteral("Class Name"));
    EXPECT_EQ(classList()->headerItem()->text(1), QStringLiteral("Bit Posn"));
    EXPECT_EQ(checkList("lstACLClassAccess")->entries().first(), (BitEntry{QStringLiteral("General"), 0}));
}

TEST_F(ClassListPanelTest, DisablingAClassTakesItOffTheCheckListsButNotTheList)
{
    item(QStringLiteral("Sales"))->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(classes().GetBoolean(FieldNames::Flag, SalesRecord, RecordSlots::EnabledBit));
    EXPECT_FALSE(aclClassAccess().contains(QStringLiteral("Sales")));
    EXPECT_FALSE(listTexts(checkList("lstACLSetAccess")).contains(QStringLiteral("Sales")));
    ASSERT_NE(item(QStringLiteral("Sales")), nullptr);
    EXPECT_EQ(item(QStringLiteral("Sales"))->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(host.sent.isEmpty()) << "an enable change is only stored";

    item(QStringLiteral("Old Class"))->setCheckState(0, Qt::Checked);
    EXPECT_EQ(aclClassAccess().last(), QStringLiteral("Old Class"));
}

TEST_F(ClassListPanelTest, RenamingToTheSameNameSendsNothing)
{
    rename(QStringLiteral("Sales"), QStringLiteral("Sales"));
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_EQ(classes().GetString(FieldNames::Name, SalesRecord), QByteArrayLiteral("Sales"));
}

TEST_F(ClassListPanelTest, ARenameIsSentAtOnceAndReachesTheCheckLists)
{
    host.online = false;
    rename(QStringLiteral("Sales"), QStringLiteral("Sales Team"));
    EXPECT_EQ(classes().GetString(FieldNames::Name, SalesRecord), QByteArrayLiteral("Sales Team"));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, sendCode(ExchClass::ClassListMember));
    EXPECT_EQ(host.sent[0].portId, SalesRecord);
    EXPECT_TRUE(aclClassAccess().contains(QStringLiteral("Sales Team")));
    EXPECT_FALSE(aclClassAccess().contains(QStringLiteral("Sales")));
    EXPECT_NE(item(QStringLiteral("Sales Team")), nullptr);
}

TEST_F(ClassListPanelTest, ANameIsTypedNoLongerThanTheRecordHoldsAndInLatin1Only)
{
    rename(QStringLiteral("Sales"), QStringLiteral("Sales and Marketing Team"));
    EXPECT_EQ(classes().GetString(FieldNames::Name, SalesRecord), QByteArrayLiteral("Sales and Marke"));
    EXPECT_EQ(host.sent.size(), 1);

    host.messageService.setNextAnswer(QMessageBox::Ok);
    classList()->editItem(item(QStringLiteral("Sales and Marke")), ClassListPanel::NameColumn);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QString::fromUtf8("Sales \u20ac"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(host.messageTexts(),
              QStringList{QString::fromUtf8("Must be Latin-1 characters: \"\u20ac\" cannot be stored")});
    EXPECT_EQ(classes().GetString(FieldNames::Name, SalesRecord), QByteArrayLiteral("Sales and Marke"));
    EXPECT_NE(item(QStringLiteral("Sales and Marke")), nullptr);
    EXPECT_EQ(host.sent.size(), 1);
}

TEST_F(ClassListPanelTest, CopyPutsTheChosenClassIntoTheFirstFreeSlotOnItsOwnBit)
{
    choose(QStringLiteral("Sales"));
    host.messageService.setNextAnswer(QMessageBox::Ok);
    window->CopyRecord();

    EXPECT_EQ(classes().GetString(FieldNames::Name, 4), QByteArrayLiteral("New Class 4"));
    EXPECT_EQ(classes().GetInteger(FieldNames::ClassCodePosn, 4), 4);
    EXPECT_TRUE(RecordSlots::isInUseAndEnabled(classes(), 4));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, sendCode(ExchClass::ClassListMember));
    EXPECT_EQ(host.sent[0].portId, 4);
    const QList<MessageService::Message> shown = host.messageService.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("New Class Added to ID #4"));
    EXPECT_EQ(shown[0].title, QStringLiteral("Copy Class"));
    EXPECT_NE(item(QStringLiteral("New Class 4")), nullptr);
    EXPECT_TRUE(aclClassAccess().contains(QStringLiteral("New Class 4")));
}

TEST_F(ClassListPanelTest, CopyWithoutAFreeSlotChangesNothing)
{
    for (int i = 0; i < classes().Records(); ++i)
        classes().SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    const QByteArray before = classes().record(4);
    host.messageService.setNextAnswer(QMessageBox::Ok);
    panel()->CopyClass();
    EXPECT_EQ(host.messageTexts(), strings({"There are no free Classes"}));
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_EQ(classes().record(4), before);
}

TEST_F(ClassListPanelTest, AddNewClassTakesTheFirstFreeSlotFromOne)
{
    panel()->AddNewClass();
    EXPECT_EQ(classes().GetString(FieldNames::Name, 4), QByteArrayLiteral("New Class"));
    EXPECT_EQ(classes().GetInteger(FieldNames::ClassCodePosn, 4), 4);
    for (int bit = 0; bit < 8; ++bit)
        EXPECT_EQ(classes().GetBoolean(FieldNames::Flag, 4, bit), bit == RecordSlots::EnabledBit) << bit;
    EXPECT_TRUE(aclClassAccess().contains(QStringLiteral("New Class")));

    panel()->AddNewClass();
    EXPECT_EQ(classes().GetInteger(FieldNames::ClassCodePosn, 10), 10);
    const QByteArray last = classes().record(11);
    panel()->AddNewClass();
    EXPECT_EQ(classes().record(11), last) << "record 11 is beyond the slots a new class takes";
}

TEST_F(ClassListPanelTest, DeleteClassAnsweredNoChangesNothing)
{
    choose(QStringLiteral("Tie Lines"));
    const quint64 before = config().revision();
    host.messageService.setNextAnswer(QMessageBox::No);
    action("mnuClassDelete")->trigger();

    const QList<MessageService::Message> shown = host.messageService.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("Do you want to delete the class \"Tie Lines\"? 4 virtual ports and 8 ACLs "
                                            "have it; it will be taken from them."));
    EXPECT_EQ(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(config().revision(), before);
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_NE(item(QStringLiteral("Tie Lines")), nullptr);
}

TEST_F(ClassListPanelTest, DeleteClassAnsweredYesTakesItsBitFromPortsAndAclsAndTellsTheExchange)
{
    choose(QStringLiteral("Tie Lines"));
    host.messageService.setNextAnswer(QMessageBox::Yes);
    action("mnuClassDelete")->trigger();

    EXPECT_TRUE(RecordSlots::isFree(classes(), TieLinesRecord));
    EXPECT_FALSE(classes().GetRecordUsed(TieLinesRecord));
    for (int port : {24, 25, 26, 27})
        EXPECT_FALSE(config().VirtualPorts().GetBit(FieldNames::ClassCode, port, TieLinesRecord)) << port;
    for (int acl : {1, 2, 3, 4, 5, 6, 10, 11}) {
        EXPECT_FALSE(config().ACL().GetBit(FieldNames::ClassAccess, acl, TieLinesRecord)) << acl;
        EXPECT_FALSE(config().ACL().GetBit(FieldNames::SetAccess, acl, TieLinesRecord)) << acl;
    }
    EXPECT_TRUE(config().ACL().GetBit(FieldNames::ClassAccess, 10, 0)) << "other classes stay";
    QList<std::pair<int, int>> sent;
    for (const SentPacket &packet : host.sent)
        sent.append({packet.code, packet.portId});
    const int portCode = sendCode(ExchClass::VirtualPortsMember);
    const int aclCode = sendCode(ExchClass::ACLMember);
    EXPECT_EQ(sent, (QList<std::pair<int, int>>{{portCode, 24}, {portCode, 25}, {portCode, 26}, {portCode, 27},
                                                 {aclCode, 1}, {aclCode, 2}, {aclCode, 3}, {aclCode, 4},
                                                 {aclCode, 5}, {aclCode, 6}, {aclCode, 10}, {aclCode, 11},
                                                 {sendCode(ExchClass::ClassListMember), TieLinesRecord}}));
    EXPECT_EQ(item(QStringLiteral("Tie Lines")), nullptr);
    EXPECT_FALSE(aclClassAccess().contains(QStringLiteral("Tie Lines")));
    EXPECT_NE(panel()->currentClassIndex(), TieLinesRecord);
}

TEST_F(ClassListPanelTest, NewAndCopiedClassesTakeTheLowestBitPositionNoClassInUseHolds)
{
    // Records 4 and 10, the slots taken next, have their numbers held as
    // bits by the disabled class in record 9 and by "Guests" in record 8.
    classes().SetInteger(FieldNames::ClassCodePosn, OldClassRecord, 4);
    classes().SetInteger(FieldNames::ClassCodePosn, 8, 10);
    panel()->AddNewClass();
    EXPECT_EQ(classes().GetInteger(FieldNames::ClassCodePosn, 4), 8);
    EXPECT_TRUE(classes().GetRecordUsed(4));

    choose(QStringLiteral("Sales"));
    host.messageService.setNextAnswer(QMessageBox::Ok);
    panel()->CopyClass();
    EXPECT_EQ(classes().GetInteger(FieldNames::ClassCodePosn, 10), 9);
    EXPECT_TRUE(classes().GetRecordUsed(10));
}

TEST_F(ClassListPanelTest, ColumnClicksSortAscendingFirstAndReverseOnTheSameColumn)
{
    classes().SetInteger(FieldNames::ClassCodePosn, OldClassRecord, 12);
    window->PopulateClassLists();

    clickHeader(ClassListPanel::PositionColumn);
    EXPECT_EQ(column(ClassListPanel::PositionColumn), strings({"0", "1", "2", "3", "5", "6", "7", "8", "12"}));
    clickHeader(ClassListPanel::PositionColumn);
    EXPECT_EQ(column(ClassListPanel::PositionColumn), strings({"12", "8", "7", "6", "5", "3", "2", "1", "0"}));
    clickHeader(ClassListPanel::NameColumn);
    EXPECT_EQ(column(ClassListPanel::NameColumn).first(), QStringLiteral("Accounts"));
    EXPECT_EQ(column(ClassListPanel::NameColumn).last(), QStringLiteral("Warehouse"));
    EXPECT_EQ(classList()->header()->sortIndicatorOrder(), Qt::AscendingOrder);

    rename(QStringLiteral("Accounts"), QStringLiteral("Zoning"));
    EXPECT_EQ(column(ClassListPanel::NameColumn).last(), QStringLiteral("Zoning")) << "the list stays sorted";
}

TEST_F(ClassListPanelTest, AClassRecordFromTheExchangeIsStoredAndListed)
{
    classes().PutBlank(4);
    classes().SetString(FieldNames::Name, 4, "Drivers");
    classes().ClearAllBoolean(FieldNames::Flag, 4);
    classes().SetBoolean(FieldNames::Flag, 4, RecordSlots::EnabledBit, true);
    classes().SetInteger(FieldNames::ClassCodePosn, 4, 4);
    const QByteArray packet = recordPacket(classes(), 4);
    classes().PutBlank(4);

    window->FillClassLists(packet);
    EXPECT_EQ(classes().GetString(FieldNames::Name, 4), QByteArrayLiteral("Drivers"));
    EXPECT_EQ(column(ClassListPanel::NameColumn).at(4), QStringLiteral("Drivers"));
    EXPECT_EQ(aclClassAccess().at(4), QStringLiteral("Drivers"));
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(ClassListPanelTest, TheNewClassFromThePopUpIsNamedInPlaceAndTheNameSendsIt)
{
    const QPoint onSales = classList()->visualItemRect(item(QStringLiteral("Sales"))).center();
    emit classList()->customContextMenuRequested(onSales);
    auto *popup = panel()->findChild<QMenu *>();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(panel()->currentClassIndex(), SalesRecord) << "the class under the mouse";
    EXPECT_TRUE(action("mnuClassAddNew")->isEnabled());
    EXPECT_TRUE(action("mnuClassDelete")->isEnabled());
    popup->hide();

    action("mnuClassAddNew")->trigger();
    EXPECT_TRUE(host.sent.isEmpty()) << "a new class is only stored";
    auto *editor = classList()->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr) << "the new class's name is open for typing";
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Drivers"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();

    EXPECT_EQ(classes().GetString(FieldNames::Name, 4), QByteArrayLiteral("Drivers"));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].portId, 4);
    EXPECT_TRUE(aclClassAccess().contains(QStringLiteral("Drivers")));
}

} // namespace
