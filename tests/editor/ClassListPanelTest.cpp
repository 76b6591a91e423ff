#include "DocumentFixture.h"

#include "BitCheckList.h"
#include "ClassListPanel.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>

namespace {

// Sample class records: 0-3 and 5-9 in use, 9 disabled; 4, 10 and 11 free.
constexpr int SalesRecord = 2;
constexpr int TieLinesRecord = 6;
constexpr int OldClassRecord = 9;

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
    QTreeWidget *classList() const { return control<QTreeWidget>("lvwClassList"); }
    ClassListPanel *panel() const { return control<ClassListPanel>("fmeClassList"); }
    QAction *action(const char *name) const { return control<QAction>(name); }
    QTreeWidgetItem *item(const char *name) const
    {
        const QList<QTreeWidgetItem *> found = classList()->findItems(QLatin1String(name), Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int i = 0; i < classList()->topLevelItemCount(); ++i)
            texts.append(classList()->topLevelItem(i)->text(column));
        return texts;
    }
    QStringList classAccess() const
    {
        QStringList texts;
        for (const BitEntry &entry : control<BitCheckList>("lstACLClassAccess")->entries())
            texts.append(entry.text);
        return texts;
    }
    void clickOn(const char *name)
    {
        ASSERT_NE(item(name), nullptr) << name;
        QTest::mouseClick(classList()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          classList()->visualItemRect(item(name)).center());
    }
    // Types over the name open in place and presses Return.
    void typeName(const QString &name)
    {
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits a name typed in place once the key press is through.
        QCoreApplication::processEvents();
    }
    void rename(const char *name, const QString &newName)
    {
        clickOn(name);
        classList()->editItem(item(name), 0);
        typeName(newName);
    }
    void clickHeader(int section)
    {
        QHeaderView *header = classList()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                                 header->height() / 2));
    }
};

TEST_F(ClassListPanelTest, ListsEveryClassInUseInRecordOrderAndDisablingOneTakesItOffTheCheckListsOnly)
{
    EXPECT_EQ(column(0), strings({"General", "Management", "Sales", "Accounts", "Warehouse", "Tie Lines", "Paging",
                                  "Guests", "Old Class"}));
    EXPECT_EQ(column(1), strings({"0", "1", "2", "3", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(QStringList({classList()->headerItem()->text(0), classList()->headerItem()->text(1)}),
              strings({"Class Name", "Bit Posn"}));
    EXPECT_EQ(item("General")->checkState(0), Qt::Checked);
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
    EXPECT_TRUE(classAccess().contains(QStringLiteral("Sales and Marke")));
    EXPECT_FALSE(classAccess().contains(QStringLiteral("Sales")));

    answer();
    classList()->editItem(item("Sales and Marke"), 0);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QString::fromUtf8("Sales \u20ac"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(messageTexts(), strings({"Must be Latin-1 characters: \"\u20ac\" cannot be stored"}));
    EXPECT_EQ(classFields(SalesRecord, "Name"), QStringLiteral("Sales and Marke"));
    EXPECT_NE(item("Sales and Marke"), nullptr);
    EXPECT_EQ(host.written.size(), 1);
}

TEST_F(ClassListPanelTest, CopyPutsTheChosenClassIntoTheFirstFreeSlotOnItsOwnBit)
{
    clickOn("Sales");
    answer();
    window->CopyRecord();
    EXPECT_EQ(classFields(4, "Name ClassCodePosn Flag.0 Flag.7"), QStringLiteral("New Class 4|4|1|0"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ClassListMember, 4}}));
    EXPECT_EQ(messageTexts(), strings({"New Class Added to ID #4"}));
    EXPECT_EQ(host.messageService.shownMessages()[0].title, QStringLiteral("Copy Class"));
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
    classes().SetInteger(FieldNames::ClassCodePosn, OldClassRecord, 4);
    classes().SetInteger(FieldNames::ClassCodePosn, 8, 10);
    panel()->AddNewClass();
    EXPECT_EQ(classFields(4, "ClassCodePosn"), QStringLiteral("8"));
    EXPECT_TRUE(classes().GetRecordUsed(4));
    clickOn("Sales");
    answer();
    panel()->CopyClass();
    EXPECT_EQ(classFields(10, "ClassCodePosn"), QStringLiteral("9"));
    EXPECT_TRUE(classes().GetRecordUsed(10));
}

TEST_F(ClassListPanelTest, DeleteClassAsksAndOnYesTakesItsBitFromPortsAndAclsAndTellsTheExchange)
{
    clickOn("Tie Lines");
    const quint64 before = config().revision();
    answer(QMessageBox::No);
    action("mnuClassDelete")->trigger();
    const QList<MessageService::Message> shown = host.messageService.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("Do you want to delete the class \"Tie Lines\"? 4 virtual ports and 8 ACLs "
                                            "have it; it will be taken from them."));
    EXPECT_EQ(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(config().revision(), before);
    EXPECT_NE(item("Tie Lines"), nullptr);

    answer(QMessageBox::Yes);
    action("mnuClassDelete")->trigger();
    EXPECT_TRUE(RecordSlots::isFree(classes(), TieLinesRecord));
    EXPECT_FALSE(classes().GetRecordUsed(TieLinesRecord));
    Writes expected;
    for (int port : {24, 25, 26, 27}) {
        EXPECT_FALSE(config().VirtualPorts().GetBit(FieldNames::ClassCode, port, TieLinesRecord)) << port;
        expected.append({ExchClass::VirtualPortsMember, port});
    }
    for (int acl : {1, 2, 3, 4, 5, 6, 10, 11}) {
        EXPECT_FALSE(config().ACL().GetBit(FieldNames::ClassAccess, acl, TieLinesRecord)) << acl;
        EXPECT_FALSE(config().ACL().GetBit(FieldNames::SetAccess, acl, TieLinesRecord)) << acl;
        expected.append({ExchClass::ACLMember, acl});
    }
    expected.append({ExchClass::ClassListMember, TieLinesRecord});
    EXPECT_EQ(host.written, expected);
    EXPECT_TRUE(config().ACL().GetBit(FieldNames::ClassAccess, 10, 0)) << "other classes stay";
    EXPECT_EQ(item("Tie Lines"), nullptr);
    EXPECT_FALSE(classAccess().contains(QStringLiteral("Tie Lines")));
    EXPECT_NE(panel()->currentClassIndex(), TieLinesRecord);
}

TEST_F(ClassListPanelTest, ColumnClicksSortAscendingFirstAndReverseOnTheSameColumn)
{
    classes().SetInteger(FieldNames::ClassCodePosn, OldClassRecord, 12);
    window->PopulateClassLists();
    clickHeader(1);
    EXPECT_EQ(column(1), strings({"0", "1", "2", "3", "5", "6", "7", "8", "12"}));
    clickHeader(1);
    EXPECT_EQ(column(1), strings({"12", "8", "7", "6", "5", "3", "2", "1", "0"}));
    clickHeader(0);
    EXPECT_EQ(column(0).first(), QStringLiteral("Accounts"));
    EXPECT_EQ(column(0).last(), QStringLiteral("Warehouse"));
    EXPECT_EQ(classList()->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    rename("Accounts", QStringLiteral("Zoning"));
    EXPECT_EQ(column(0).last(), QStringLiteral("Zoning")) << "the list stays sorted";
}

TEST_F(ClassListPanelTest, AClassRecordFromTheExchangeIsStoredAndListed)
{
    RecordClass sent = classes();
    sent.PutBlank(4);
    sent.SetString(FieldNames::Name, 4, "Drivers");
    sent.ClearAllBoolean(FieldNames::Flag, 4);
    sent.SetBoolean(FieldNames::Flag, 4, RecordSlots::EnabledBit, true);
    sent.SetInteger(FieldNames::ClassCodePosn, 4, 4);
    window->FillClassLists(replyPacket(sent.RequestCode(), 4, sent.record(4)));
    EXPECT_EQ(classFields(4, "Name"), QStringLiteral("Drivers"));
    EXPECT_EQ(column(0).at(4), QStringLiteral("Drivers"));
    EXPECT_EQ(classAccess().at(4), QStringLiteral("Drivers"));
    EXPECT_TRUE(host.written.isEmpty());
}

TEST_F(ClassListPanelTest, TheNewClassFromThePopUpIsNamedInPlaceAndTheNameSendsIt)
{
    emit classList()->customContextMenuRequested(classList()->visualItemRect(item("Sales")).center());
    auto *popup = panel()->findChild<QMenu *>();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(panel()->currentClassIndex(), SalesRecord) << "the class under the mouse";
    EXPECT_TRUE(action("mnuClassAddNew")->isEnabled());
    EXPECT_TRUE(action("mnuClassDelete")->isEnabled());
    popup->hide();

    action("mnuClassAddNew")->trigger();
    EXPECT_TRUE(host.written.isEmpty()) << "a new class is only stored";
    typeName(QStringLiteral("Drivers"));
    EXPECT_EQ(classFields(4, "Name"), QStringLiteral("Drivers"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ClassListMember, 4}}));
    EXPECT_TRUE(classAccess().contains(QStringLiteral("Drivers")));
}

} // namespace
