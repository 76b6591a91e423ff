#include "shell/MessageService.h"
#include "support/gui/GuiTestSupport.h"

TEST(MessageService, QueuedAnswersComeBackInOrderWithoutShowingABox)
{
    MessageService messages;
    messages.setNextAnswer(QMessageBox::Yes);
    messages.setNextAnswer(QMessageBox::Cancel);

    EXPECT_EQ(messages.show(nullptr, QMessageBox::Warning, QStringLiteral("Save"), QStringLiteral("Save changes?"),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
              QMessageBox::Yes);
    EXPECT_EQ(messages.show(nullptr, QMessageBox::Question, QString(), QStringLiteral("Go on?"),
                            QMessageBox::Ok | QMessageBox::Cancel),
              QMessageBox::Cancel);
}

TEST(MessageService, RecordsEveryMessageWithTheTitleAsShown)
{
    MessageService messages;
    messages.setNextAnswer(QMessageBox::Ok);
    messages.setNextAnswer(QMessageBox::Ok);
    messages.show(nullptr, QMessageBox::Warning, QStringLiteral("Get Configuration"),
                  QStringLiteral("No Orvex detected\nNot getting configuraton"), QMessageBox::Ok);
    messages.show(nullptr, QMessageBox::Information, QString(), QStringLiteral("Converted configuration saved"),
                  QMessageBox::NoButton);

    const QList<MessageService::Message> shown = messages.shownMessages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(shown[0].title, QStringLiteral("Get Configuration"));
    EXPECT_EQ(shown[0].text, QStringLiteral("No Orvex detected\nNot getting configuraton"));
    EXPECT_EQ(shown[1].title, QStringLiteral("Quillbridge"));
    EXPECT_EQ(shown[1].buttons, MessageService::Buttons(QMessageBox::Ok));

    messages.clearShownMessages();
    EXPECT_TRUE(messages.shownMessages().isEmpty());
}
