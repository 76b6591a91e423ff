#include "core/DebugLog.h"
#include "support/TestSupport.h"

namespace {

class DebugLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QObject::connect(&m_log, &DebugLog::textAdded, [this](const QString &text) { m_added.append(text); });
        QObject::connect(&m_log, &DebugLog::textReset, [this] { ++m_resets; });
    }

    DebugLog m_log;
    QStringList m_added;
    int m_resets = 0;
};

TEST_F(DebugLogTest, AddNLStartsANewLineErrorsOnlyReachListenersAndClearAnnouncesIt)
{
    DiagnosticRecorder recorder(m_log);
    m_log.AddNL(QStringLiteral("A"));
    m_log.Add(QStringLiteral("B"));
    m_log.Add(QString());
    m_log.Error(QStringLiteral("RecordClass.GetInteger"), QStringLiteral("no field Foo"));

    EXPECT_EQ(m_log.text(), QStringLiteral("\r\nAB"));
    EXPECT_EQ(m_added, QStringList({QStringLiteral("\r\nA"), QStringLiteral("B")}));
    EXPECT_EQ(recorder.entries(),
              (QList<std::pair<QString, QString>>{
                  {QStringLiteral("RecordClass.GetInteger"), QStringLiteral("no field Foo")}}));
    EXPECT_EQ(m_resets, 0);

    m_log.clear();
    EXPECT_TRUE(m_log.text().isEmpty());
    EXPECT_EQ(m_resets, 1);
}

TEST_F(DebugLogTest, LimitKeepsTheNewestTextCutAtANearbyLineStartElseMidLineAndLoweringItTrimsTheText)
{
    m_log.setLimit(40);
    m_log.AddNL(QStringLiteral("0123456789"));
    m_log.AddNL(QStringLiteral("abcdefghij"));
    m_log.AddNL(QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(m_log.text(), QStringLiteral("\r\nABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(m_added.size(), 2);
    EXPECT_EQ(m_resets, 1);

    m_log.clear();
    m_log.Add(QString(30, QLatin1Char('a')));
    m_log.Add(QString(20, QLatin1Char('b')));
    // A quarter of the limit goes at once, so trimming is rare on a busy line.
    EXPECT_EQ(m_log.text(), QString(10, QLatin1Char('a')) + QString(20, QLatin1Char('b')));

    m_log.clear();
    m_log.setLimit(8);
    m_log.Add(QStringLiteral("0123456789abc"));
    EXPECT_EQ(m_log.text(), QStringLiteral("789abc"));
    EXPECT_EQ(m_resets, 5);

    m_log.setLimit(4);
    EXPECT_EQ(m_log.text(), QStringLiteral("9abc"));
    EXPECT_EQ(m_resets, 6);

    m_log.setLimit(0);
    EXPECT_EQ(m_log.text(), QStringLiteral("c"));

    m_log.setLimit(100);
    EXPECT_EQ(m_log.text(), QStringLiteral("c"));
    EXPECT_EQ(m_resets, 7);
}

} // namespace
