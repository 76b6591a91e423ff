#include "DebugLog.h"
#include "DebugWindow.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

class DebugWindowTest : public ::testing::Test
{
protected:
    QString shownText() const { return m_window.findChild<QPlainTextEdit *>(QStringLiteral("txtDebug"))->toPlainText(); }
    QCheckBox *debugDisplayBox() const { return m_window.findChild<QCheckBox *>(QStringLiteral("chkDebugDisplay")); }
    QPushButton *clearButton() const { return m_window.findChild<QPushButton *>(QStringLiteral("cmdClear")); }

    DebugLog m_log;
    DebugWindow m_window{m_log};
};

TEST_F(DebugWindowTest, TextWrittenWhileHiddenIsShownWithLineBreaksForCrLf)
{
    m_log.Add(QStringLiteral("open COM1"));
    m_log.AddNL(QStringLiteral("sent 7E 0F"));
    m_window.show();
    EXPECT_EQ(shownText(), QStringLiteral("open COM1\nsent 7E 0F"));

    m_log.Add(QStringLiteral(" 00\r"));
    m_log.Add(QStringLiteral("\nreply"));
    EXPECT_EQ(shownText(), QStringLiteral("open COM1\nsent 7E 0F 00\nreply"));
}

TEST_F(DebugWindowTest, ClosingTheWindowDiscardsTheLog)
{
    m_log.AddNL(QStringLiteral("before close"));
    m_window.show();
    m_window.close();
    EXPECT_TRUE(m_log.text().isEmpty());

    m_log.AddNL(QStringLiteral("after close"));
    m_window.show();
    EXPECT_EQ(shownText(), QStringLiteral("\nafter close"));
}

TEST_F(DebugWindowTest, CheckBoxShowsAndDrivesDebugDisplay)
{
    m_log.setDebugDisplay(true);
    m_window.show();
    EXPECT_TRUE(debugDisplayBox()->isChecked());

    QTest::mouseClick(debugDisplayBox(), Qt::LeftButton);
    EXPECT_FALSE(m_log.debugDisplay());
    QTest::mouseClick(debugDisplayBox(), Qt::LeftButton);
    EXPECT_TRUE(m_log.debugDisplay());

    m_window.close();
    m_log.setDebugDisplay(false);
    m_window.show();
    EXPECT_FALSE(debugDisplayBox()->isChecked());
}

TEST_F(DebugWindowTest, ListingsTickedOnAppearFromTheirStartBelowALongLineOfSentMarks)
{
    m_log.Add(QString(400, QLatin1Char('*')));
    m_window.show();
    QTest::mouseClick(debugDisplayBox(), Qt::LeftButton);
    for (int line = 0; line < 40; ++line)
        m_log.AddNL(QStringLiteral("Structure Size = 0x40; Name = Tones"));

    auto *text = m_window.findChild<QPlainTextEdit *>(QStringLiteral("txtDebug"));
    EXPECT_EQ(text->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(text->verticalScrollBar()->value(), text->verticalScrollBar()->maximum());
    EXPECT_GT(text->verticalScrollBar()->maximum(), 0);
}

TEST_F(DebugWindowTest, ClearButtonEmptiesLogAndWindow)
{
    m_window.show();
    m_log.AddNL(QStringLiteral("trace"));
    QTest::mouseClick(clearButton(), Qt::LeftButton);

    EXPECT_TRUE(m_log.text().isEmpty());
    EXPECT_TRUE(shownText().isEmpty());
    EXPECT_TRUE(m_window.isVisible());
}

} // namespace
