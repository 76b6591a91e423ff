#include "shell/AboutWindow.h"

#include "shell/VersionText.h"
#include "support/gui/GuiTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

TEST(VersionText, JoinsPlainDecimalNumbers)
{
    EXPECT_EQ(VersionText::line(QStringLiteral("3.0.5")), QStringLiteral("Version 3.0.5"));
    EXPECT_EQ(VersionText::line(QStringLiteral("03.00.12")), QStringLiteral("Version 3.0.12"));
    EXPECT_EQ(VersionText::line(QStringLiteral("2.1")), QStringLiteral("Version 2.1.0"));
}

TEST(AboutWindow, ShowsThisBuildsVersionSaysSystemInformationIsUnavailableAndClosesOnOk)
{
    MessageService messages;
    AboutWindow about(messages);
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quillbridge"));
    EXPECT_EQ(shownIn(&about, "lblTitle lblVersion"),
              QStringLiteral("Quillbridge|Version ") + QStringLiteral(QB_VERSION));

    messages.setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(&about, "cmdSysInfo"), Qt::LeftButton);
    ASSERT_EQ(messages.shownMessages().size(), 1);
    EXPECT_EQ(messages.shownMessages()[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
    EXPECT_EQ(messages.shownMessages()[0].title, QStringLiteral("Quillbridge"));
    EXPECT_EQ(messages.shownMessages()[0].buttons, MessageService::Buttons(QMessageBox::Ok));
    EXPECT_TRUE(about.isVisible());

    QTest::mouseClick(child<QPushButton>(&about, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

} // namespace
