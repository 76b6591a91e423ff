#include "shell/HelpWindow.h"

#include "support/gui/GuiTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>

namespace {

class HelpWindowTest : public ::testing::Test
{
protected:
    QTextBrowser *guide() const { return child<QTextBrowser>(&m_help, "txtGuide"); }
    QLineEdit *searchField() const { return child<QLineEdit>(&m_help, "txtSearch"); }
    QString status() const { return shownIn(&m_help, "lblStatus"); }

    void search(const QString &word)
    {
        searchField()->clear();
        QTest::keyClicks(searchField(), word);
        QTest::keyClick(searchField(), Qt::Key_Return);
    }

    HelpWindow m_help;
};

TEST_F(HelpWindowTest, ContentsShowTheGuideFromTheStart)
{
    m_help.showContents();
    EXPECT_TRUE(m_help.isVisible());
    EXPECT_TRUE(guide()->toPlainText().startsWith(QStringLiteral("Quillbridge User Guide")));
    EXPECT_EQ(guide()->textCursor().position(), 0);
}

TEST_F(HelpWindowTest, SearchSelectsTheNextOccurrenceIgnoringCaseWrapsAndSaysWhenThereIsNone)
{
    m_help.showSearch();
    search(QStringLiteral("DEBUG"));
    const QTextCursor first = guide()->textCursor();
    EXPECT_EQ(first.selectedText().toLower(), QStringLiteral("debug"));

    QTest::keyClick(searchField(), Qt::Key_Return);
    const QTextCursor second = guide()->textCursor();
    EXPECT_EQ(second.selectedText().toLower(), QStringLiteral("debug"));
    EXPECT_GT(second.position(), first.position());

    // Running past the last occurrence starts again at the top.
    for (int i = 0; i < 10 && guide()->textCursor().position() >= second.position(); ++i)
        QTest::keyClick(searchField(), Qt::Key_Return);
    EXPECT_EQ(guide()->textCursor().position(), first.position());
    EXPECT_TRUE(status().isEmpty());

    search(QStringLiteral("xylophone"));
    EXPECT_FALSE(guide()->textCursor().hasSelection());
    EXPECT_FALSE(status().isEmpty());
}

} // namespace
