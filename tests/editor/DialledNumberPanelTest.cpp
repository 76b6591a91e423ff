#include "FocusedPanelFixture.h"

#include "DialledNumberTable.h"
#include "FieldNames.h"
#include "RecordSlots.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace {

using Panel = DocumentWindow::Panel;

constexpr int NumberColumn = 0;
constexpr int PortColumn = 1;
constexpr int IndexColumn = 2;

const QString ChangingNumbers = QStringLiteral("Changing Numbers");
const QString SameNumber = QStringLiteral("There is another port with this number");
const QString Overlapping = QStringLiteral("There are other ports which clash with this number");

// The sample's numbers: 0, 200 to 222 on records 1 to 24 (none on 6), 229
// disabled on record 25, and 81 4400, 81 4402 and 81 4421 with prefixes on
// records 29 to 31.
class DialledNumberPanel : public FocusedPanelFixture
{
protected:
    void SetUp() override
    {
        FocusedPanelFixture::SetUp();
        open(QStringLiteral("REV"));
        list = control<QTreeWidget>(QStringLiteral("lvwExtVP"));
        selector = control<QComboBox>(QStringLiteral("cboExtToVP"));
    }

    RecordClass &numbers() { return config().ExtToVirtual(); }
    int numberSendCode() const { return sendCode(ExchClass::ExtToVirtualMember); }

    QTreeWidgetItem *item(int record) const
    {
        const QString key = QStringLiteral("E") + QString::number(record);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->data(NumberColumn, Qt::UserRole).toString() == key)
                return list->topLevelItem(i);
        }
        return nullptr;
    }

    QStringList column(int c) const
    {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.append(list->topLevelItem(i)->text(c));
        return texts;
    }

    void clickItem(int record)
    {
        QTreeWidgetItem *found = item(record);
        ASSERT_NE(found, nullptr);
        list->scrollToItem(found);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(found).center());
    }

    // The engineer edits the number in place and presses Enter.
    void editNumber(int record, const char *text)
    {
        QTreeWidgetItem *found = item(record);
        ASSERT_NE(found, nullptr);
        list->setFocus();
        list->setCurrentItem(found);
        list->editItem(found, NumberColumn);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, QLatin1String(text));
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits the editor on its next pass, and the panel checks the number on the pass after.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    void clickHeading(int c)
    {
        QHeaderView *header = list->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, header->height() / 2));
    }

    void trigger(const char *action) { control<QAction>(QLatin1String(action))->trigger(); }

    QTreeWidget *list = nullptr;
    QComboBox *selector = nullptr;
};

TEST_F(DialledNumberPanel, ListsEveryNumberInUseWithItsPortAndPaddedIndex)
{
    EXPECT_EQ(list->topLevelItemCount(), 31);
    EXPECT_EQ(item(6), nullptr);
    ASSERT_NE(item(29), nullptr);
    EXPECT_EQ(item(29)->text(NumberColumn), QStringLiteral("814400"));
    EXPECT_EQ(item(29)->text(PortColumn), QStringLiteral("Reception"));
    EXPECT_EQ(item(29)->text(IndexColumn), QStringLiteral("29"));
    EXPECT_EQ(item(29)->checkState(NumberColumn), Qt::Checked);
    EXPECT_EQ(item(0)->text(IndexColumn), QStringLiteral("00"));
    EXPECT_EQ(item(25)->text(NumberColumn), QStringLiteral("229"));
    EXPECT_EQ(item(25)->checkState(NumberColumn), Qt::Unchecked);
}

TEST_F(DialledNumberPanel, AnEditedNumberIsStoredAndSentAtOnceEvenOffline)
{
    host.online = false;
    editNumber(1, "2345");
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberA, 1), QByteArrayLiteral("2345"));
    EXPECT_EQ(item(1)->text(NumberColumn), QStringLiteral("2345"));
    EXPECT_TRUE(window->isChanged(Panel::DialledNumbers));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, numberSendCode());
    EXPECT_EQ(host.sent[0].portId, 1);
    EXPECT_TRUE(host.messageTexts().isEmpty());
}

TEST_F(DialledNumberPanel, ANumberLongerThanFourDigitsKeepsItsLeadingDigitsAsPrefix)
{
    editNumber(2, "123456");
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberB, 2), QByteArrayLiteral("12"));
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberA, 2), QByteArrayLiteral("3456"));
    EXPECT_TRUE(numbers().GetBoolean(FieldNames::Flag, 2, DialledNumberTable::HasPrefixBit));
    EXPECT_EQ(item(2)->text(NumberColumn), QStringLiteral("123456"));

    editNumber(2, "4567");
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberA, 2), QByteArrayLiteral("4567"));
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberB, 2), QByteArray());
    EXPECT_FALSE(numbers().GetBoolean(FieldNames::Flag, 2, DialledNumberTable::HasPrefixBit));
    EXPECT_EQ(host.sent.size(), 2);
}

TEST_F(DialledNumberPanel, ClashingNumbersAreRefusedWithTheirMessageAndNothingChanges)
{
    struct Case
    {
        int record;
        const char *text;
        const QString &message;
    };
    const Case cases[] = {
        {2, "200", SameNumber},    {2, "20", Overlapping},      {2, "2001", Overlapping},
        {3, "814400", SameNumber}, {3, "8144", Overlapping},    {3, "81440099", Overlapping},
    };
    for (const Case &c : cases) {
        const QByteArray before = numbers().record(c.record);
        const QString shown = item(c.record)->text(NumberColumn);
        host.messageService.clearShownMessages();
        host.messageService.setNextAnswer(QMessageBox::Ok);
        editNumber(c.record, c.text);
        const QList<MessageService::Message> messages = host.messageService.shownMessages();
        ASSERT_EQ(messages.size(), 1) << c.text;
        EXPECT_EQ(messages[0].text, c.message) << c.text;
        EXPECT_EQ(messages[0].title, ChangingNumbers);
        EXPECT_EQ(messages[0].icon, QMessageBox::Information);
        EXPECT_EQ(numbers().record(c.record), before) << c.text;
        EXPECT_EQ(item(c.record)->text(NumberColumn), shown) << c.text;
    }
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_FALSE(window->isChanged(Panel::DialledNumbers));
}

TEST_F(DialledNumberPanel, ANumberIsRefusedWhenAShorterOneBeginsItButAcceptedAgainForItsOwnRecord)
{
    editNumber(4, "12");
    host.messageService.setNextAnswer(QMessageBox::Ok);
    editNumber(5, "1234");
    EXPECT_EQ(host.messageTexts(), QStringList{Overlapping});
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberA, 5), QByteArrayLiteral("204"));

    editNumber(4, "12");
    EXPECT_EQ(host.messageTexts().size(), 1);
    // The panel holds an unsent change since the first edit, so the record goes again.
    ASSERT_EQ(host.sent.size(), 2);
    EXPECT_EQ(host.sent[1].portId, 4);
}

TEST_F(DialledNumberPanel, DisabledNumbersNeverClashAndTextThatIsNoNumberIsRefusedWithTheRule)
{
    editNumber(3, "229");
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberA, 3), QByteArrayLiteral("229"));

    for (const char *text : {"12a", "", "1.5"}) {
        host.messageService.setNextAnswer(QMessageBox::Ok);
        editNumber(3, text);
        EXPECT_EQ(item(3)->text(NumberColumn), QStringLiteral("229")) << text;
        EXPECT_EQ(host.messageTexts().last(), QStringLiteral("A dialled number must be the digits 0-9 only")) << text;
    }
    EXPECT_EQ(numbers().GetDigit(FieldNames::ExtNumberA, 3), QByteArrayLiteral("229"));
    EXPECT_EQ(host.sent.size(), 1);
}

TEST_F(DialledNumberPanel, ANumberTooLongForTheRecordIsRefused)
{
    const QByteArray before = numbers().record(3);
    host.messageService.setNextAnswer(QMessageBox::Ok);
    editNumber(3, "734567890");
    EXPECT_EQ(host.messageTexts().size(), 1);
    EXPECT_EQ(numbers().record(3), before);
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(DialledNumberPanel, UntickingANumberDisablesItsRecordAndSendsIt)
{
    list->setFocus();
    list->setCurrentItem(item(4));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(item(4)->checkState(NumberColumn), Qt::Unchecked);
    EXPECT_FALSE(numbers().GetBoolean(FieldNames::Flag, 4, RecordSlots::EnabledBit));
    EXPECT_TRUE(window->isChanged(Panel::DialledNumbers));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, numberSendCode());
    EXPECT_EQ(host.sent[0].portId, 4);
}

TEST_F(DialledNumberPanel, ChoosingAnotherVirtualPortRebindsTheNumberAndSendsItOnce)
{
    clickItem(5);
    EXPECT_EQ(selector->currentText(), QStringLiteral("4 - Accounts 2"));
    enter(selector);
    leaveTo(list);
    EXPECT_TRUE(host.sent.isEmpty()) << "the same port changes nothing";

    enter(selector);
    selector->setCurrentIndex(selector->findData(6));
    leaveTo(list);
    EXPECT_EQ(numbers().GetInteger(FieldNames::VirtualPortNo, 5), 6);
    EXPECT_EQ(item(5)->text(PortColumn), QStringLiteral("6 (Sales 2)"));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].portId, 5);

    enter(selector);
    selector->setCurrentIndex(selector->count() - 1);
    leaveTo(list);
    EXPECT_EQ(numbers().GetInteger(FieldNames::VirtualPortNo, 5), 6) << "<Unknown VP> is no port";
    EXPECT_EQ(host.sent.size(), 1);
}

TEST_F(DialledNumberPanel, ANumberOnADisabledPortShowsUnknownVp)
{
    clickItem(25);
    EXPECT_EQ(selector->currentText(), QStringLiteral("<Unknown VP>"));
    EXPECT_EQ(selector->currentIndex(), selector->count() - 1);
}

TEST_F(DialledNumberPanel, SortingTwiceOnAColumnReversesItAndANewColumnSortsAscending)
{
    clickHeading(NumberColumn);
    QStringList ascending = column(NumberColumn);
    std::sort(ascending.begin(), ascending.end());
    EXPECT_EQ(column(NumberColumn), ascending);

    clickHeading(NumberColumn);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(column(NumberColumn), descending);

    clickHeading(IndexColumn);
    EXPECT_EQ(list->topLevelItem(0), item(0));
    EXPECT_EQ(list->topLevelItem(list->topLevelItemCount() - 1), item(31));
    clickHeading(IndexColumn);
    EXPECT_EQ(list->topLevelItem(0), item(31));
}

TEST_F(DialledNumberPanel, AddingANumberTakesTheFirstFreeSlotAndSendsNothingUntilItIsNumbered)
{
    trigger("popExtVPAdd");
    ASSERT_NE(item(6), nullptr);
    EXPECT_EQ(item(6)->text(NumberColumn), QStringLiteral("Not Set"));
    EXPECT_EQ(item(6)->text(PortColumn), QStringLiteral("Not Set"));
    EXPECT_EQ(item(6)->text(IndexColumn), QStringLiteral("06"));
    EXPECT_EQ(item(6)->checkState(NumberColumn), Qt::Unchecked);
    EXPECT_FALSE(RecordSlots::isFree(numbers(), 6));
    EXPECT_TRUE(numbers().GetRecordUsed(6));
    EXPECT_TRUE(host.sent.isEmpty());

    editNumber(6, "299");
    EXPECT_EQ(item(6)->text(NumberColumn), QStringLiteral("299"));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].portId, 6);
}

TEST_F(DialledNumberPanel, AddingWithoutAFreeSlotSaysSo)
{
    for (int i = 0; i < numbers().Records(); ++i)
        numbers().SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    host.messageService.setNextAnswer(QMessageBox::Ok);
    trigger("popExtVPAdd");
    EXPECT_EQ(host.messageTexts(), QStringList{QStringLiteral("No Spare Number slots available")});
    EXPECT_EQ(list->topLevelItemCount(), 31);
}

TEST_F(DialledNumberPanel, DeletingAsksFirstAndSendsTheBlankedRecordOnlyOnYes)
{
    clickItem(29);
    const QByteArray before = numbers().record(29);
    host.messageService.setNextAnswer(QMessageBox::No);
    trigger("popExtVPDelete");
    const QList<MessageService::Message> messages = host.messageService.shownMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("Are you sure you want to delete 814400 (Reception)?"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Delete Dialled Number"));
    EXPECT_EQ(messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(numbers().record(29), before);
    EXPECT_NE(item(29), nullptr);
    EXPECT_TRUE(host.sent.isEmpty());

    host.messageService.setNextAnswer(QMessageBox::Yes);
    trigger("popExtVPDelete");
    EXPECT_EQ(numbers().record(29), QByteArray(numbers().StructSize(), '\xFF'));
    EXPECT_FALSE(numbers().GetRecordUsed(29));
    EXPECT_EQ(item(29), nullptr);
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, numberSendCode());
    EXPECT_EQ(host.sent[0].portId, 29);
}

} // namespace
