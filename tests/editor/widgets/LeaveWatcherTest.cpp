#include "editor/widgets/LeaveWatcher.h"

#include "support/gui/GuiTestSupport.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace {

void activate(QWidget &widget)
{
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(runEventsUntil([&widget] { return widget.isActiveWindow(); }));
}

// Two watched boxes in the active window: the first refuses what is not a
// number, the second takes anything; what each writes is kept.
class LeaveWatcherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        const auto refusal = [this] {
            bool number = false;
            first->text().toInt(&number);
            return number ? QString() : QStringLiteral("Must be a number");
        };
        LeaveWatcher::watch(first, messages, refusal, [this] { written.append(first->text()); });
        LeaveWatcher::watch(second, [this] { written.append(QStringLiteral("second")); });
        activate(window);
        first->setFocus(Qt::TabFocusReason);
    }

    QWidget window;
    QLineEdit *first = new QLineEdit(&window);
    QLineEdit *second = new QLineEdit(&window);
    MessageService messages;
    QStringList written;
};

TEST_F(LeaveWatcherTest, ARefusedValueIsSaidSelectedAndKeepsTheFocusAndAnAcceptedOneIsWrittenOnLeaving)
{
    first->setText(QStringLiteral("12a"));
    messages.setNextAnswer(QMessageBox::Ok);
    second->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(messageTexts(messages), strings({"Must be a number"}));
    EXPECT_EQ(messages.shownMessages().value(0).icon, QMessageBox::Warning);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(first->selectedText(), QStringLiteral("12a"));
    first->setText(QStringLiteral("12"));
    second->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(written, strings({"12"}));
    EXPECT_EQ(messages.shownMessages().size(), 1);
}

TEST_F(LeaveWatcherTest, FocusTakenByAnotherWindowIsNoLeaveButComingBackToAnotherControlIs)
{
    first->setText(QStringLiteral("7"));
    QWidget other;
    activate(other);
    second->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(written.isEmpty());
    activate(window);
    EXPECT_EQ(written, strings({"7"}));
}

TEST_F(LeaveWatcherTest, CommitFocusedChecksAndWritesTheControlEnteredInsideTheAreaOnce)
{
    QWidget elsewhere;
    first->setText(QStringLiteral("x"));
    EXPECT_TRUE(LeaveWatcher::commitFocused(elsewhere));
    messages.setNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(LeaveWatcher::commitFocused(window));
    first->setText(QStringLiteral("5"));
    QWidget other;
    activate(other);
    EXPECT_TRUE(LeaveWatcher::commitFocused(window)) << "entered before the window lost the focus";
    EXPECT_TRUE(LeaveWatcher::commitFocused(window));
    EXPECT_EQ(written, strings({"5"}));
    EXPECT_EQ(messages.shownMessages().size(), 1);
}

TEST_F(LeaveWatcherTest, AControlDisabledOrHiddenUnderTheEngineersHandsIsNotLeft)
{
    // The focus moves on to a control nobody watches.
    second->setFocusPolicy(Qt::NoFocus);
    (new QLineEdit(&window))->show();
    queueAnswers(messages, QMessageBox::Ok, 2);
    first->setText(QStringLiteral("x"));
    first->setEnabled(false);
    EXPECT_TRUE(LeaveWatcher::commitFocused(window));
    first->setEnabled(true);
    first->setFocus(Qt::TabFocusReason);
    first->hide();
    EXPECT_TRUE(LeaveWatcher::commitFocused(window));
    EXPECT_TRUE(messages.shownMessages().isEmpty());
    EXPECT_TRUE(written.isEmpty());
}

} // namespace
