#include "AboutWindow.h"
#include "MessageService.h"
#include "TestSupport.h"
#include "VersionText.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

TEST(VersionTextTest, JoinsPlainDecimalNumbers)
{
    EXPECT_EQ(VersionText::line(QStringLiteral("3.0.5")), QStringLiteral("Version 3.0.5"));
    EXPECT_EQ(VersionText::line(QStringLiteral("03.00.12")), QStringLiteral("Version 3.0.12"));
    EXPECT_EQ(VersionText::line(QStringLiteral("2.1")), QStringLiteral("Version 2.1.0"));
}

namespace {

class AboutWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { m_about.show(); }

    QPushButton *button(const char *name) const
    {
        return m_about.findChild<QPushButton *>(QString::fromLatin1(name));
    }

    MessageService m_messages;
    AboutWindow m_about{m_messages};
};

TEST_F(AboutWindowTest, ShowsTheTitleAndThisBuildsVersion)
{
    EXPECT_EQ(m_about.windowTitle(), QStringLiteral("About Quillbridge"));
    EXPECT_EQ(m_about.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Quillbridge"));
    EXPECT_EQ(m_about.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), VersionText::current());
}

TEST_F(AboutWindowTest, SystemInfoSaysItIsUnavailableAndTheWindowStays)
{
    m_messages.setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(button("cmdSysInfo"), Qt::LeftButton);

    const QList<MessageService::Message> shown = m_messages.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
    EXPECT_EQ(shown[0].title, QStringLiteral("Quillbridge"));
    EXPECT_EQ(shown[0].buttons, MessageService::Buttons(QMessageBox::Ok));
    EXPECT_TRUE(m_about.isVisible());
}

TEST_F(AboutWindowTest, OkClosesTheWindow)
{
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(m_about.isVisible());
    EXPECT_EQ(m_about.result(), QDialog::Accepted);
}

} // namespace
