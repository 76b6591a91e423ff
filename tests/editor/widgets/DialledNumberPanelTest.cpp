#include "support/gui/DocumentFixture.h"

#include <QAction>
#include <QApplication>

namespace {

constexpr int NumberColumn = 0;
constexpr int PortColumn = 1;
constexpr int IndexColumn = 2;

// The sample's numbers: 0, 200 to 222 on records 1 to 24 (none on 6), 229
// disabled on record 25, and 81 4400, 81 4402 and 81 4421 with prefixes on
// records 29 to 31.
class DialledNumberPanel : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        open(QStringLiteral("REV"));
        list = control<QTreeWidget>("lvwExtVP");
        selector = control<QComboBox>("cboExtToVP");
    }

    RecordClass &numbers() { return config().ExtToVirtual(); }
    // The number, its prefix, and whether it is enabled and has a prefix.
    QString number(int record) { return fields(ExchClass::ExtToVirtualMember, record, "ExtNumberA ExtNumberB Flag.0 Flag.1"); }
    QTreeWidgetItem *item(int record) const { return itemWithKey(list, QStringLiteral("E%1").arg(record)); }
    QStringList row(int record) const
    {
        return {item(record)->text(0), item(record)->text(1), item(record)->text(2)};
    }
    // The engineer edits the number in place and presses Enter.
    void editNumber(int record, const char *text)
    {
        ASSERT_NE(item(record), nullptr);
        list->setFocus();
        list->setCurrentItem(item(record));
        list->editItem(item(record), NumberColumn);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(QLatin1String(text));
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits the editor on its next pass, and the panel checks the number on the pass after.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    void chooseVirtualPort(int index)
    {
        enter(selector);
        selector->setCurrentIndex(index);
        leave(selector);
    }

    QTreeWidget *list = nullptr;
    QComboBox *selector = nullptr;
};

TEST_F(DialledNumberPanel, ListsEveryNumberInUseWithItsPortAndPaddedIndex)
{
    EXPECT_EQ(list->topLevelItemCount(), 31);
    EXPECT_EQ(item(6), nullptr);
    EXPECT_EQ(row(29), strings({"814400", "Reception", "29"}));
    EXPECT_EQ(item(0)->text(IndexColumn), QStringLiteral("00"));
    EXPECT_EQ(item(29)->checkState(NumberColumn), Qt::Checked);
    EXPECT_EQ(item(25)->text(NumberColumn), QStringLiteral("229"));
    EXPECT_EQ(item(25)->checkState(NumberColumn), Qt::Unchecked);
}

TEST_F(DialledNumberPanel, AnEditedNumberIsSentAtOnceEvenOfflineWithDigitsPastTheFourthAsPrefix)
{
    host.online = false;
    editNumber(2, "123456");
    EXPECT_EQ(number(2), QStringLiteral("3456|12|1|1"));
    EXPECT_EQ(item(2)->text(NumberColumn), QStringLiteral("123456"));
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
    const struct
    {
        int record;
        const char *text;
        const char *message;
    } cases[] = {
        {2, "200", "There is another port with this number"},
        {2, "2001", "There are other ports which clash with this number"},
        {3, "8144", "There are other ports which clash with this number"},
        {3, "12a", "A dialled number must be the digits 0-9 only"},
        {3, "", "A dialled number must be the digits 0-9 only"},
        {3, "734567890", "This number has more digits than the exchange can store"},
    };
    for (const auto &c : cases) {
        const QByteArray before = numbers().record(c.record);
        const QString shown = item(c.record)->text(NumberColumn);
        host.messageService.clearShownMessages();
        answer();
        editNumber(c.record, c.text);
        EXPECT_EQ(messageTexts(), strings({c.message})) << c.text;
        EXPECT_EQ(host.messageService.shownMessages().value(0).title, QStringLiteral("Changing Numbers"));
        EXPECT_EQ(host.messageService.shownMessages().value(0).icon, QMessageBox::Information);
        EXPECT_EQ(numbers().record(c.record), before) << c.text;
        EXPECT_EQ(item(c.record)->text(NumberColumn), shown) << c.text;
    }
    EXPECT_TRUE(host.written.isEmpty());
    EXPECT_FALSE(changed(Panel::DialledNumbers));

    // A number that a shorter one begins is refused, but not against its own record.
    editNumber(4, "12");
    answer();
    editNumber(5, "1234");
    EXPECT_EQ(messageTexts().last(), QStringLiteral("There are other ports which clash with this number"));
    EXPECT_EQ(number(5), QStringLiteral("204||1|0"));
    editNumber(4, "12");
    EXPECT_EQ(host.written, (Writes{{ExchClass::ExtToVirtualMember, 4}, {ExchClass::ExtToVirtualMember, 4}}))
        << "the panel holds an unsent change since the first edit";
}

TEST_F(DialledNumberPanel, UntickingANumberDisablesItsRecordAndSendsIt)
{
    list->setFocus();
    list->setCurrentItem(item(4));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(item(4)->checkState(NumberColumn), Qt::Unchecked);
    EXPECT_EQ(number(4), QStringLiteral("203||0|0"));
    EXPECT_TRUE(changed(Panel::DialledNumbers));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ExtToVirtualMember, 4}}));
}

TEST_F(DialledNumberPanel, ChoosingAnotherVirtualPortRebindsTheNumberAndSendsItOnce)
{
    clickItem(list, item(25));
    EXPECT_EQ(selector->currentText(), QStringLiteral("<Unknown VP>")) << "a number on a disabled port";
    EXPECT_EQ(selector->currentIndex(), selector->count() - 1);

    clickItem(list, item(5));
    EXPECT_EQ(selector->currentText(), QStringLiteral("4 - Accounts 2"));
    chooseVirtualPort(selector->currentIndex());
    EXPECT_TRUE(host.written.isEmpty()) << "the same port changes nothing";
    chooseVirtualPort(selector->findData(6));
    EXPECT_EQ(fields(ExchClass::ExtToVirtualMember, 5, "VirtualPortNo"), QStringLiteral("6"));
    EXPECT_EQ(item(5)->text(PortColumn), QStringLiteral("6 (Sales 2)"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::ExtToVirtualMember, 5}}));
    chooseVirtualPort(selector->count() - 1);
    EXPECT_EQ(host.written.size(), 1) << "<Unknown VP> is no port";
}

TEST_F(DialledNumberPanel, SortingTwiceOnAColumnReversesItAndANewColumnSortsAscending)
{
    clickHeader(list, NumberColumn);
    QStringList ascending = columnTexts(list, NumberColumn);
    std::sort(ascending.begin(), ascending.end());
    EXPECT_EQ(columnTexts(list, NumberColumn), ascending);
    clickHeader(list, NumberColumn);
    std::reverse(ascending.begin(), ascending.end());
    EXPECT_EQ(columnTexts(list, NumberColumn), ascending);
    clickHeader(list, IndexColumn);
    EXPECT_EQ(columnTexts(list, IndexColumn).first() + columnTexts(list, IndexColumn).last(), QStringLiteral("0031"));
    clickHeader(list, IndexColumn);
    EXPECT_EQ(columnTexts(list, IndexColumn).first(), QStringLiteral("31"));
}

TEST_F(DialledNumberPanel, AddingANumberTakesTheFirstFreeSlotAndSendsNothingUntilItIsNumbered)
{
    control<QAction>("popExtVPAdd")->trigger();
    EXPECT_EQ(row(6), strings({"Not Set", "Not Set", "06"}));
    EXPECT_EQ(item(6)->checkState(NumberColumn), Qt::Unchecked);
    EXPECT_FALSE(RecordSlots::isFree(numbers(), 6));
    EXPECT_TRUE(numbers().GetRecordUsed(6));
    EXPECT_TRUE(host.written.isEmpty());
    editNumber(6, "299");
    EXPECT_EQ(item(6)->text(NumberColumn), QStringLiteral("299"));
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

} // namespace
