#include "shell/DebugWindow.h"

#include "core/DebugLog.h"
#include "support/gui/GuiTestSupport.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

class DebugWindowTest : public ::testing::Test
{
protected:
    QPlainTextEdit *text() const { return child<QPlainTextEdit>(&m_window, "txtDebug"); }
    QCheckBox *debugDisplay() const { return child<QCheckBox>(&m_window, "chkDebugDisplay"); }

    DebugLog m_log;
    DebugWindow m_window{m_log};
};

TEST_F(DebugWindowTest, TextWrittenWhileHiddenIsShownWithLineBreaksForCrLfAndClosingDiscardsTheLog)
{
    m_log.Add(QStringLiteral("open COM1"));
    m_log.AddNL(QStringLiteral("sent 7E 0F"));
    m_window.show();
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("open COM1\nsent 7E 0F"));
    m_log.Add(QStringLiteral(" 00\r"));
    m_log.Add(QStringLiteral("\nreply"));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("open COM1\nsent 7E 0F 00\nreply"));

    m_window.close();
    EXPECT_TRUE(m_log.text().isEmpty());
    m_log.AddNL(QStringLiteral("after close"));
    m_window.show();
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("\nafter close"));

    QTest::mouseClick(child<QPushButton>(&m_window, "cmdClear"), Qt::LeftButton);
    EXPECT_TRUE(m_log.text().isEmpty());
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(DebugWindowTest, TheCheckBoxShowsAndDrivesDebugDisplay)
{
    m_log.setDebugDisplay(true);
    m_window.show();
    EXPECT_TRUE(debugDisplay()->isChecked());
    QTest::mouseClick(debugDisplay(), Qt::LeftButton);
    EXPECT_FALSE(m_log.debugDisplay());
    QTest::mouseClick(debugDisplay(), Qt::LeftButton);
    EXPECT_TRUE(m_log.debugDisplay());
    m_window.close();
    m_log.setDebugDisplay(false);
    m_window.show();
    EXPECT_FALSE(debugDisplay()->isChecked());
}

TEST_F(DebugWindowTest, ListingsTickedOnAppearFromTheirStartBelowALongLineOfSentMarks)
{
    m_log.Add(QString(400, QLatin1Char('*')));
    m_window.show();
    QTest::mouseClick(debugDisplay(), Qt::LeftButton);
    for (int line = 0; line < 40; ++line)
        m_log.AddNL(QStringLiteral("Structure Size = 0x40; Name = Tones"));
    EXPECT_EQ(text()->horizontalScrollBar()->value(), 0);
    EXPECT_GT(text()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(text()->verticalScrollBar()->value(), text()->verticalScrollBar()->maximum());
}

} // namespace
