#include "support/gui/DocumentFixture.h"

#include "editor/widgets/ClassListPanel.h"
#include "model/FieldDef.h"
#include "simulator/sample/StructureDefinition.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace {

// A list panel on show: the class list, the dialled numbers or the physical ports.
class ListPanel : public DocumentFixture
{
protected:
    void openList(const char *key, const char *listName)
    {
        open(QLatin1String(key));
        list = control<QTreeWidget>(listName);
    }
    QTreeWidgetItem *named(const char *text) const
    {
        const QList<QTreeWidgetItem *> found = list->findItems(QLatin1String(text), Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    QTreeWidgetItem *keyed(const char *prefix, int record) const
    {
        return itemWithKey(list, QLatin1String(prefix) + QString::number(record));
    }
    QStringList row(const QTreeWidgetItem *item) const
    {
        return item ? QStringList{item->text(0), item->text(1), item->text(2)} : QStringList();
    }
    // Types over the text open in place in the list and presses Return.
    void typeInPlace(const char *text)
    {
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromUtf8(text));
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits the editor on its next pass, and a panel may check it on the pass after.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    void editInPlace(QTreeWidgetItem *item, const char *text)
    {
        ASSERT_NE(item, nullptr);
        list->setFocus();
        list->setCurrentItem(item);
        list->editItem(item, 0);
        typeInPlace(text);
    }
    void pick(QComboBox *selector, int index)
    {
        enter(selector);
        selector->setCurrentIndex(index);
        leave(selector);
    }

    QTreeWidget *list = nullptr;
};

// Sample class records: 0-3 and 5-9 in use, 9 disabled; 4, 10 and 11 free.
constexpr int SalesRecord = 2;
constexpr int TieLinesRecord = 6;

class ClassListPanelTest : public ListPanel
{
protected:
    void SetUp() override
    {
        ListPanel::SetUp();
        openList("RCL", "lvwClassList");
    }
    RecordClass &classes() { return config().ClassList(); }
    QString classFields(int record, const char *names) { return fields(ExchClass::ClassListMember, record, names); }
    ClassListPanel *panel() const { return control<ClassListPanel>("fmeClassList"); }
    QString classAccess() const { return shown("lstACLClassAccess*"); }
};

TEST_F(ClassListPanelTest, ListsEveryClassInUseInRecordOrderAndDisablingOneTakesItOffTheCheckListsOnly)
{
    EXPECT_EQ(columnTexts(list, 0),
              strings({"General", "Management", "Sales", "Accounts", "Warehouse", "Tie Lines", "Paging", "Guests",
                       "Old Class"}));
    EXPECT_EQ(columnTexts(list, 1), strings({"0", "1", "2", "3", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(named("Old Class")->checkState(0), Qt::Unchecked);
    named("Sales")->setCheckState(0, Qt::Unchecked);
    named("Old Class")->setCheckState(0, Qt::Checked);
    EXPECT_EQ(classFields(SalesRecord, "Flag.0"), QStringLiteral("0"));
    EXPECT_EQ(classAccess(), QStringLiteral("General,Management,Accounts,Warehouse,Tie Lines,Paging,Guests,Old Class"));
    EXPECT_TRUE(host.written.isEmpty()) << "an enable change is only stored";
}

TEST_F(ClassListPanelTest, ARenameIsSentAtOnceNoLongerThanTheRecordHoldsAndInLatin1Only)
{
    host.online = false;
    const auto rename = [this](const char *name, const char *newName) {
        clickItem(list, named(name));
        list->editItem(named(name), 0);
        typeInPlace(newName);
    };
    rename("Sales", "Sales");
    EXPECT_TRUE(host.written.isEmpty()) << "the same name";
    rename("Sales", "Sales and Marketing Team");
    EXPECT_EQ(classFields(SalesRecord, "Name"), QStringLiteral("Sales and Marke"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ClassListMember, SalesRecord}}));
    EXPECT_TRUE(classAccess().contains(QStringLiteral("Management,Sales and Marke,Accounts")));

    answer();
    rename("Sales and Marke", "Sales \u20ac");
    EXPECT_EQ(messageTexts(), strings({"Must be Latin-1 characters: \"\u20ac\" cannot be stored"}));
    EXPECT_EQ(classFields(SalesRecord, "Name"), QStringLiteral("Sales and Marke"));
    EXPECT_NE(named("Sales and Marke"), nullptr);
    EXPECT_EQ(host.written.size(), 1);

    clickHeader(list, 0);
    rename("Accounts", "Zoning");
    EXPECT_EQ(columnTexts(list, 0).last(), QStringLiteral("Zoning")) << "the list stays sorted";
}

TEST_F(ClassListPanelTest, CopyPutsTheChosenClassIntoTheFirstFreeSlotOnItsOwnBitAndAddTakesTheNextFromOne)
{
    clickItem(list, named("Sales"));
    answer();
    window->CopyRecord();
    EXPECT_EQ(classFields(4, "Name ClassCodePosn Flag.0 Flag.7"), QStringLiteral("New Class 4|4|1|0"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ClassListMember, 4}}));
    EXPECT_EQ(host.messageService.shownMessages().value(0).title + QLatin1Char(':') + messageTexts().value(0),
              QStringLiteral("Copy Class:New Class Added to ID #4"));
    EXPECT_TRUE(classAccess().contains(QStringLiteral("New Class 4")));

    panel()->AddNewClass();
    EXPECT_EQ(classFields(10, "Name ClassCodePosn Flag.0 Flag.7"), QStringLiteral("New Class|10|1|0"));
    const QByteArray last = classes().record(11);
    panel()->AddNewClass();
    EXPECT_EQ(classes().record(11), last) << "record 11 is beyond the slots a new class takes";

    for (int i = 0; i < classes().Records(); ++i)
        classes().SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    const QByteArray before = classes().record(5);
    answer();
    panel()->CopyClass();
    EXPECT_EQ(messageTexts().last(), QStringLiteral("There are no free Classes"));
    EXPECT_EQ(classes().record(5), before);
    EXPECT_EQ(host.written.size(), 1);
}

TEST_F(ClassListPanelTest, NewAndCopiedClassesTakeTheLowestBitPositionNoClassInUseHolds)
{
    // Records 4 and 10, the slots taken next, have their numbers held as
    // bits by the disabled class in record 9 and by "Guests" in record 8.
    classes().SetInteger(FieldNames::ClassCodePosn, 9, 4);
    classes().SetInteger(FieldNames::ClassCodePosn, 8, 10);
    panel()->AddNewClass();
    clickItem(list, named("Sales"));
    answer();
    panel()->CopyClass();
    EXPECT_EQ(classFields(4, "ClassCodePosn") + QLatin1Char('|') + classFields(10, "ClassCodePosn"),
              QStringLiteral("8|9"));
    EXPECT_TRUE(classes().GetRecordUsed(4));
    EXPECT_TRUE(classes().GetRecordUsed(10));
}

TEST_F(ClassListPanelTest, DeleteClassAsksAndOnYesTakesItsBitFromPortsAndAclsAndTellsTheExchange)
{
    clickItem(list, named("Tie Lines"));
    const quint64 before = config().revision();
    answer(QMessageBox::No);
    control<QAction>("mnuClassDelete")->trigger();
    EXPECT_EQ(messageTexts(),
              strings({"Do you want to delete the class \"Tie Lines\"? 4 virtual ports and 8 ACLs "
                       "have it; it will be taken from them."}));
    EXPECT_EQ(host.messageService.shownMessages().value(0).buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(config().revision(), before);

    answer(QMessageBox::Yes);
    control<QAction>("mnuClassDelete")->trigger();
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
    EXPECT_EQ(named("Tie Lines"), nullptr);
    EXPECT_FALSE(classAccess().contains(QStringLiteral("Tie Lines")));
    EXPECT_NE(panel()->currentClassIndex(), TieLinesRecord);
}

TEST_F(ClassListPanelTest, ACopyOfAClassTheTableNoLongerHoldsCopiesNothing)
{
    clickItem(list, named("Old Class"));
    // The exchange's table now ends before the class on show, every record free.
    classes().BuildStructure(
        StructureDefinition(ExchClass::info(ExchClass::ClassListMember).definitionId, "CLASSLIST", 9)
            .field("Name", FieldType::String, 1, 15)
            .field("Flag", FieldType::Boolean, 1)
            .field("ClassCodePosn", FieldType::Integer, 1)
            .packet());
    for (int i = 0; i < classes().Records(); ++i)
        classes().PutBlank(i);
    answer();
    panel()->CopyClass();
    EXPECT_TRUE(RecordSlots::isFree(classes(), 0));
    EXPECT_TRUE(host.written.isEmpty());
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(ClassListPanelTest, ColumnClicksSortAscendingFirstAndReverseOnTheSameColumn)
{
    classes().SetInteger(FieldNames::ClassCodePosn, 9, 12);
    window->PopulateClassLists();
    clickHeader(list, 1);
    EXPECT_EQ(columnTexts(list, 1), strings({"0", "1", "2", "3", "5", "6", "7", "8", "12"}));
    clickHeader(list, 1);
    EXPECT_EQ(columnTexts(list, 1), strings({"12", "8", "7", "6", "5", "3", "2", "1", "0"}));
}

TEST_F(ClassListPanelTest, AClassFromTheExchangeIsListedAndTheNewClassFromThePopUpIsNamedInPlaceAndSent)
{
    RecordClass sent = classes();
    sent.CopyRecord(2, 4);
    sent.SetString(FieldNames::Name, 4, "Drivers");
    sent.SetInteger(FieldNames::ClassCodePosn, 4, 4);
    window->FillClassLists(replyPacket(sent.RequestCode(), 4, sent.record(4)));
    EXPECT_EQ(classes().record(4), sent.record(4));
    EXPECT_EQ(columnTexts(list, 0).at(4), QStringLiteral("Drivers"));
    EXPECT_TRUE(classAccess().contains(QStringLiteral("Accounts,Drivers,Warehouse")));
    EXPECT_TRUE(host.written.isEmpty());

    emit list->customContextMenuRequested(list->visualItemRect(named("Sales")).center());
    auto *popup = panel()->findChild<QMenu *>();
    ASSERT_TRUE(popup && popup->isVisible());
    EXPECT_EQ(panel()->currentClassIndex(), SalesRecord) << "the class under the mouse";
    popup->hide();
    control<QAction>("mnuClassAddNew")->trigger();
    EXPECT_TRUE(host.written.isEmpty()) << "a new class is only stored";
    typeInPlace("Cleaners");
    EXPECT_EQ(classFields(10, "Name"), QStringLiteral("Cleaners"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ClassListMember, 10}}));
    EXPECT_TRUE(classAccess().contains(QStringLiteral("Cleaners")));
}

// The sample's numbers: 0, 200 to 222 on records 1 to 24 (none on 6), 229
// disabled on record 25, and 81 4400, 81 4402 and 81 4421 with prefixes on
// records 29 to 31.
class DialledNumberPanel : public ListPanel
{
protected:
    void SetUp() override
    {
        ListPanel::SetUp();
        openList("REV", "lvwExtVP");
        selector = control<QComboBox>("cboExtToVP");
    }
    RecordClass &numbers() { return config().ExtToVirtual(); }
    QTreeWidgetItem *item(int record) const { return keyed("E", record); }
    // The number, its prefix, and whether it is enabled and has a prefix.
    QString number(int record)
    {
        return fields(ExchClass::ExtToVirtualMember, record, "ExtNumberA ExtNumberB Flag.0 Flag.1");
    }
    void editNumber(int record, const char *text) { editInPlace(item(record), text); }

    QComboBox *selector = nullptr;
};

TEST_F(DialledNumberPanel, ListsEveryNumberInUseWithItsPortAndPaddedIndex)
{
    EXPECT_EQ(list->topLevelItemCount(), 31);
    EXPECT_EQ(item(6), nullptr);
    EXPECT_EQ(row(item(29)), strings({"814400", "Reception", "29"}));
    EXPECT_EQ(item(0)->text(2), QStringLiteral("00"));
    EXPECT_EQ(item(25)->text(0), QStringLiteral("229"));
    EXPECT_EQ(item(25)->checkState(0), Qt::Unchecked);
}

TEST_F(DialledNumberPanel, AnEditedNumberIsSentAtOnceEvenOfflineWithDigitsPastTheFourthAsPrefix)
{
    host.online = false;
    editNumber(2, "123456");
    EXPECT_EQ(number(2), QStringLiteral("3456|12|1|1"));
    EXPECT_EQ(item(2)->text(0), QStringLiteral("123456"));
    EXPECT_TRUE(changed(Panel::DialledNumbers));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ExtToVirtualMember, 2}}));
    editNumber(2, "4567");
    EXPECT_EQ(number(2), QStringLiteral("4567||1|0"));
    editNumber(3, "229");
    EXPECT_EQ(number(3), QStringLiteral("229||1|0")) << "a disabled number never clashes";
    EXPECT_EQ(host.written.size(), 3);
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(DialledNumberPanel, ANumberThatClashesOrIsNoNumberTheRecordHoldsIsRefusedAndNothingChanges)
{
    const std::pair<const char *, const char *> cases[] = {
        {"200", "There is another port with this number"},
        {"8144", "There are other ports which clash with this number"},
        {"12a", "A dialled number must be the digits 0-9 only"},
        {"734567890", "This number has more digits than the exchange can store"},
    };
    const QByteArray before = numbers().record(3);
    for (const auto &[text, message] : cases) {
        host.messageService.clearShownMessages();
        answer();
        editNumber(3, text);
        EXPECT_EQ(messageTexts(), strings({message})) << text;
        EXPECT_EQ(numbers().record(3), before) << text;
        EXPECT_EQ(item(3)->text(0), QStringLiteral("202")) << text;
    }
    const MessageService::Message said = host.messageService.shownMessages().value(0);
    EXPECT_EQ(said.title, QStringLiteral("Changing Numbers"));
    EXPECT_EQ(said.icon, QMessageBox::Information);
    EXPECT_TRUE(host.written.isEmpty());
    EXPECT_FALSE(changed(Panel::DialledNumbers));
}

TEST_F(DialledNumberPanel, UntickingANumberOrChoosingAnotherVirtualPortChangesItsRecordAndSendsIt)
{
    list->setFocus();
    list->setCurrentItem(item(4));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(number(4), QStringLiteral("203||0|0"));
    EXPECT_TRUE(changed(Panel::DialledNumbers));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ExtToVirtualMember, 4}}));

    clickItem(list, item(25));
    EXPECT_EQ(selector->currentText(), QStringLiteral("<Unknown VP>")) << "a number on a disabled port";
    clickItem(list, item(5));
    EXPECT_EQ(selector->currentText(), QStringLiteral("4 - Accounts 2"));
    pick(selector, selector->currentIndex());
    EXPECT_EQ(host.written.size(), 1) << "the same port changes nothing";
    pick(selector, selector->findData(6));
    EXPECT_EQ(fields(ExchClass::ExtToVirtualMember, 5, "VirtualPortNo"), QStringLiteral("6"));
    EXPECT_EQ(item(5)->text(1), QStringLiteral("6 (Sales 2)"));
    EXPECT_EQ(host.written.value(1), std::make_pair(int(ExchClass::ExtToVirtualMember), 5));
    pick(selector, selector->count() - 1);
    EXPECT_EQ(host.written.size(), 2) << "<Unknown VP> is no port";
}

TEST_F(DialledNumberPanel, SortingTwiceOnAColumnReversesItAndANewColumnSortsAscending)
{
    clickHeader(list, 2);
    clickHeader(list, 2);
    EXPECT_EQ(columnTexts(list, 2).first(), QStringLiteral("31"));
    clickHeader(list, 0);
    EXPECT_EQ(columnTexts(list, 0).mid(0, 3), strings({"0", "200", "201"}));
}

TEST_F(DialledNumberPanel, AddingANumberTakesTheFirstFreeSlotAndSendsNothingUntilItIsNumbered)
{
    control<QAction>("popExtVPAdd")->trigger();
    EXPECT_EQ(row(item(6)), strings({"Not Set", "Not Set", "06"}));
    EXPECT_EQ(item(6)->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(numbers().GetRecordUsed(6));
    EXPECT_TRUE(host.written.isEmpty());
    editNumber(6, "299");
    EXPECT_EQ(item(6)->text(0), QStringLiteral("299"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ExtToVirtualMember, 6}}));

    for (int i = 0; i < numbers().Records(); ++i)
        numbers().SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    answer();
    control<QAction>("popExtVPAdd")->trigger();
    EXPECT_EQ(messageTexts(), strings({"No Spare Number slots available"}));
    EXPECT_EQ(list->topLevelItemCount(), 32);
}

TEST_F(DialledNumberPanel, DeletingAsksFirstAndSendsTheBlankedRecordOnlyOnYes)
{
    clickItem(list, item(29));
    const QByteArray before = numbers().record(29);
    answer(QMessageBox::No);
    control<QAction>("popExtVPDelete")->trigger();
    const MessageService::Message question = host.messageService.shownMessages().value(0);
    EXPECT_EQ(question.title + QLatin1Char(':') + question.text,
              QStringLiteral("Delete Dialled Number:Are you sure you want to delete 814400 (Reception)?"));
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(numbers().record(29), before);
    EXPECT_TRUE(host.written.isEmpty());

    answer(QMessageBox::Yes);
    control<QAction>("popExtVPDelete")->trigger();
    EXPECT_EQ(numbers().record(29), QByteArray(numbers().StructSize(), '\xFF'));
    EXPECT_FALSE(numbers().GetRecordUsed(29));
    EXPECT_EQ(item(29), nullptr);
    EXPECT_EQ(host.written, (Writes{{ExchClass::ExtToVirtualMember, 29}}));
}

// The sample binds ports 0-7, 16-23, 32-39, 80 and 96-100; every other
// position has VIRTPORT 255.
class PhysicalPortPanel : public ListPanel
{
protected:
    void SetUp() override
    {
        ListPanel::SetUp();
        openList("RPV", "lvwPorts");
        selector = control<QComboBox>("cboPhysicalVP");
    }
    RecordClass &ports() { return config().PortToVirtual(); }
    QTreeWidgetItem *item(int port) const { return keyed("H", port); }

    QComboBox *selector = nullptr;
};

TEST_F(PhysicalPortPanel, ListsEveryBoundPortWithItsBoardPositionPortAndTerminal)
{
    EXPECT_EQ(list->topLevelItemCount(), 30);
    EXPECT_EQ(row(item(37)), strings({"Board 3; Port 6", "21 (Fax)", "Ext 22"}));
    EXPECT_EQ(item(8), nullptr) << "VIRTPORT 255: no port there";
    ports().PutBlank(112);
    ports().PutBlank(113);
    ports().SetInteger(FieldNames::VirtPort, 113, 5);
    ports().SetInteger(FieldNames::VirtPort, 84, 30);
    openList("RPV", "lvwPorts");
    EXPECT_EQ(row(item(113)), strings({"Board 7?; Port 2", "5 (Sales 1)", "7?"}));
    EXPECT_EQ(row(item(84)), strings({"Board Aux; Port 5", "30 (Aux Line)", "Aux 5"}));
    EXPECT_EQ(item(112), nullptr);
}

TEST_F(PhysicalPortPanel, RebindingToTheSamePortSendsNothingAndToAnotherSendsOneRecord)
{
    clickItem(list, item(37));
    EXPECT_EQ(selector->currentText(), QStringLiteral("21 - Fax"));
    pick(selector, selector->currentIndex());
    EXPECT_TRUE(host.written.isEmpty());
    EXPECT_FALSE(changed(Panel::PhysicalPorts));
    pick(selector, selector->findData(0));
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
