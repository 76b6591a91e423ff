#include "support/gui/DocumentFixture.h"

#include "editor/widgets/BitCheckList.h"
#include "editor/widgets/ClassListPanel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace {

// Sample class records: 0-3 and 5-9 in use, 9 disabled; 4, 10 and 11 free.
constexpr int SalesRecord = 2;
constexpr int TieLinesRecord = 6;

class ClassListPanelTest : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        open(QStringLiteral("RCL"));
    }
    RecordClass &classes() { return config().ClassList(); }
    QString classFields(int record, const char *names) { return fields(ExchClass::ClassListMember, record, names); }
    QTreeWidget *list() const { return control<QTreeWidget>("lvwClassList"); }
    ClassListPanel *panel() const { return control<ClassListPanel>("fmeClassList"); }
    void trigger(const char *action) { control<QAction>(action)->trigger(); }
    QTreeWidgetItem *item(const char *name) const
    {
        const QList<QTreeWidgetItem *> found = list()->findItems(QLatin1String(name), Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    QStringList classAccess() const
    {
        QStringList texts;
        for (const BitEntry &entry : control<BitCheckList>("lstACLClassAccess")->entries())
            texts.append(entry.text);
        return texts;
    }
    // Types over the name open in place and presses Return.
    void typeName(const QString &name)
    {
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(name);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits a name typed in place once the key press is through.
        QCoreApplication::processEvents();
    }
    void rename(const char *name, const QString &newName)
    {
        clickItem(list(), item(name));
        list()->editItem(item(name), 0);
        typeName(newName);
    }
};

TEST_F(ClassListPanelTest, ListsEveryClassInUseInRecordOrderAndDisablingOneTakesItOffTheCheckListsOnly)
{
    EXPECT_EQ(columnTexts(list(), 0), strings({"General", "Management", "Sales", "Accounts", "Warehouse", "Tie Lines",
                                               "Paging", "Guests", "Old Class"}));
    EXPECT_EQ(columnTexts(list(), 1), strings({"0", "1", "2", "3", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(list()->headerItem()->text(0) + list()->headerItem()->text(1), QStringLiteral("Class NameBit Posn"));
    EXPECT_EQ(item("Old Class")->checkState(0), Qt::Unchecked);
    item("Sales")->setCheckState(0, Qt::Unchecked);
    item("Old Class")->setCheckState(0, Qt::Checked);
    EXPECT_EQ(classFields(SalesRecord, "Flag.0"), QStringLiteral("0"));
    EXPECT_EQ(classAccess(), strings({"General", "Management", "Accounts", "Warehouse", "Tie Lines", "Paging", "Guests",
                                      "Old Class"}));
    EXPECT_EQ(item("Sales")->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(host.written.isEmpty()) << "an enable change is only stored";
}

TEST_F(ClassListPanelTest, ARenameIsSentAtOnceNoLongerThanTheRecordHoldsAndInLatin1Only)
{
    host.online = false;
    rename("Sales", QStringLiteral("Sales"));
    EXPECT_TRUE(host.written.isEmpty()) << "the same name";
    rename("Sales", QStringLiteral("Sales and Marketing Team"));
    EXPECT_EQ(classFields(SalesRecord, "Name"), QStringLiteral("Sales and Marke"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ClassListMember, SalesRecord}}));
    EXPECT_EQ(classAccess().at(2), QStringLiteral("Sales and Marke"));

    answer();
    rename("Sales and Marke", QString::fromUtf8("Sales \u20ac"));
    EXPECT_EQ(messageTexts(), strings({"Must be Latin-1 characters: \"\u20ac\" cannot be stored"}));
    EXPECT_EQ(classFields(SalesRecord, "Name"), QStringLiteral("Sales and Marke"));
    EXPECT_NE(item("Sales and Marke"), nullptr);
    EXPECT_EQ(host.written.size(), 1);
}

TEST_F(ClassListPanelTest, CopyPutsTheChosenClassIntoTheFirstFreeSlotOnItsOwnBit)
{
    clickItem(list(), item("Sales"));
    answer();
    window->CopyRecord();
    EXPECT_EQ(classFields(4, "Name ClassCodePosn Flag.0 Flag.7"), QStringLiteral("New Class 4|4|1|0"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ClassListMember, 4}}));
    EXPECT_EQ(host.messageService.shownMessages().value(0).title + QLatin1Char(':') + messageTexts().value(0),
              QStringLiteral("Copy Class:New Class Added to ID #4"));
    EXPECT_NE(item("New Class 4"), nullptr);
    EXPECT_TRUE(classAccess().contains(QStringLiteral("New Class 4")));

    for (int i = 0; i < classes().Records(); ++i)
        classes().SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    const QByteArray before = classes().record(5);
    answer();
    panel()->CopyClass();
    EXPECT_EQ(messageTexts().last(), QStringLiteral("There are no free Classes"));
    EXPECT_EQ(classes().record(5), before);
    EXPECT_EQ(host.written.size(), 1);
}

TEST_F(ClassListPanelTest, AddNewClassTakesTheFirstFreeSlotFromOne)
{
    panel()->AddNewClass();
    EXPECT_EQ(classFields(4, "Name ClassCodePosn Flag.0 Flag.1 Flag.2 Flag.3 Flag.4 Flag.5 Flag.6 Flag.7"),
              QStringLiteral("New Class|4|1|0|0|0|0|0|0|0"));
    EXPECT_TRUE(classAccess().contains(QStringLiteral("New Class")));
    panel()->AddNewClass();
    EXPECT_EQ(classFields(10, "ClassCodePosn"), QStringLiteral("10"));
    const QByteArray last = classes().record(11);
    panel()->AddNewClass();
    EXPECT_EQ(classes().record(11), last) << "record 11 is beyond the slots a new class takes";
}

TEST_F(ClassListPanelTest, NewAndCopiedClassesTakeTheLowestBitPositionNoClassInUseHolds)
{
    // Records 4 and 10, the slots taken next, have their numbers held as
    // bits by the disabled class in record 9 and by "Guests" in record 8.
    classes().SetInteger(FieldNames::ClassCodePosn, 9, 4);
    classes().SetInteger(FieldNames::ClassCodePosn, 8, 10);
    panel()->AddNewClass();
    clickItem(list(), item("Sales"));
    answer();
    panel()->CopyClass();
    EXPECT_EQ(QStringList({classFields(4, "ClassCodePosn"), classFields(10, "ClassCodePosn")}), strings({"8", "9"}));
    EXPECT_TRUE(classes().GetRecordUsed(4));
    EXPECT_TRUE(classes().GetRecordUsed(10));
}

TEST_F(ClassListPanelTest, DeleteClassAsksAndOnYesTakesItsBitFromPortsAndAclsAndTellsTheExchange)
{
    clickItem(list(), item("Tie Lines"));
    const quint64 before = config().revision();
    answer(QMessageBox::No);
    trigger("mnuClassDelete");
    EXPECT_EQ(messageTexts(), strings({"Do you want to delete the class \"Tie Lines\"? 4 virtual ports and 8 ACLs "
                                       "have it; it will be taken from them."}));
    EXPECT_EQ(host.messageService.shownMessages().value(0).buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(config().revision(), before);

    answer(QMessageBox::Yes);
    trigger("mnuClassDelete");
    EXPECT_TRUE(RecordSlots::isFree(classes(), TieLinesRecord));
    EXPECT_FALSE(classes().GetRecordUsed(TieLinesRecord));
    Writes expected;
    for (int port : {24, 25, 26, 27}) {
        EXPECT_FALSE(config().VirtualPorts().GetBit(FieldNames::ClassCode, port, TieLinesRecord)) << port;
        expected.append({ExchClass::VirtualPortsMember, port});
    }
    for (int acl : {1, 2, 3, 4, 5, 6, 10, 11}) {
        EXPECT_EQ(fields(ExchClass::ACLMember, acl, "ClassAccess.6 SetAccess.6"), QStringLiteral("0|0")) << acl;
        expected.append({ExchClass::ACLMember, acl});
    }
    expected.append({ExchClass::ClassListMember, TieLinesRecord});
    EXPECT_EQ(host.written, expected);
    EXPECT_TRUE(config().ACL().GetBit(FieldNames::ClassAccess, 10, 0)) << "other classes stay";
    EXPECT_EQ(item("Tie Lines"), nullptr);
    EXPECT_FALSE(classAccess().contains(QStringLiteral("Tie Lines")));
    EXPECT_NE(panel()->currentClassIndex(), TieLinesRecord);
}

TEST_F(ClassListPanelTest, ColumnClicksSortAscendingFirstAndReverseOnTheSameColumnAndTheListStaysSorted)
{
    classes().SetInteger(FieldNames::ClassCodePosn, 9, 12);
    window->PopulateClassLists();
    clickHeader(list(), 1);
    EXPECT_EQ(columnTexts(list(), 1), strings({"0", "1", "2", "3", "5", "6", "7", "8", "12"}));
    clickHeader(list(), 1);
    EXPECT_EQ(columnTexts(list(), 1), strings({"12", "8", "7", "6", "5", "3", "2", "1", "0"}));
    clickHeader(list(), 0);
    EXPECT_EQ(columnTexts(list(), 0).first(), QStringLiteral("Accounts"));
    EXPECT_EQ(columnTexts(list(), 0).last(), QStringLiteral("Warehouse"));
    rename("Accounts", QStringLiteral("Zoning"));
    EXPECT_EQ(columnTexts(list(), 0).last(), QStringLiteral("Zoning"));
}

TEST_F(ClassListPanelTest, AClassRecordFromTheExchangeIsStoredAndListed)
{
    RecordClass sent = classes();
    sent.CopyRecord(2, 4);
    sent.SetString(FieldNames::Name, 4, "Drivers");
    sent.SetInteger(FieldNames::ClassCodePosn, 4, 4);
    window->FillClassLists(replyPacket(sent.RequestCode(), 4, sent.record(4)));
    EXPECT_EQ(classes().record(4), sent.record(4));
    EXPECT_EQ(columnTexts(list(), 0).at(4), QStringLiteral("Drivers"));
    EXPECT_EQ(classAccess().at(4), QStringLiteral("Drivers"));
    EXPECT_TRUE(host.written.isEmpty());
}

TEST_F(ClassListPanelTest, TheNewClassFromThePopUpIsNamedInPlaceAndTheNameSendsIt)
{
    emit list()->customContextMenuRequested(list()->visualItemRect(item("Sales")).center());
    auto *popup = panel()->findChild<QMenu *>();
    ASSERT_TRUE(popup && popup->isVisible());
    EXPECT_EQ(panel()->currentClassIndex(), SalesRecord) << "the class under the mouse";
    EXPECT_TRUE(control<QAction>("mnuClassAddNew")->isEnabled());
    EXPECT_TRUE(control<QAction>("mnuClassDelete")->isEnabled());
    popup->hide();
    trigger("mnuClassAddNew");
    EXPECT_TRUE(host.written.isEmpty()) << "a new class is only stored";
    typeName(QStringLiteral("Drivers"));
    EXPECT_EQ(classFields(4, "Name"), QStringLiteral("Drivers"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ClassListMember, 4}}));
    EXPECT_TRUE(classAccess().contains(QStringLiteral("Drivers")));
}

} // namespace
