#include "ClockReading.h"
#include "DeviceWindowFixture.h"
#include "PacketCode.h"
#include "TimeWindow.h"

namespace {
class TimeWindowTest : public DeviceWindowFixture<TimeWindow>
{
protected:
    void SetUp() override { open(new TimeWindow(m_services, [this] { return m_now; })); }

    QString shown() const
    {
        return QStringList{box(QStringLiteral("txtDay"))->text(), box(QStringLiteral("txtMonth"))->text(),
                           box(QStringLiteral("txtYear"))->text(), box(QStringLiteral("txtHours"))->text(),
                           box(QStringLiteral("txtMins"))->text(), box(QStringLiteral("txtSecs"))->text()}
            .join(QLatin1Char(' '));
    }

    void show(const char *day, const char *month, const char *year, const char *hours, const char *minutes,
              const char *seconds)
    {
        type(QStringLiteral("txtDay"), QString::fromLatin1(day));
        type(QStringLiteral("txtMonth"), QString::fromLatin1(month));
        type(QStringLiteral("txtYear"), QString::fromLatin1(year));
        type(QStringLiteral("txtHours"), QString::fromLatin1(hours));
        type(QStringLiteral("txtMins"), QString::fromLatin1(minutes));
        type(QStringLiteral("txtSecs"), QString::fromLatin1(seconds));
    }

    QDateTime m_now{QDate(2009, 3, 14), QTime(23, 59, 58)};
};
} // namespace

TEST_F(TimeWindowTest, OpensOnThePcClockAndRollsOverMidnightWithoutAdvancingTheDate)
{
    EXPECT_EQ(shown(), QStringLiteral("14 03 2009 23 59 58"));
    m_timers.advance(TimeWindow::TickMilliseconds);
    EXPECT_EQ(shown(), QStringLiteral("14 03 2009 23 59 59"));
    m_timers.advance(TimeWindow::TickMilliseconds);
    EXPECT_EQ(shown(), QStringLiteral("14 03 2009 00 00 00"));

    show("01", "01", "2010", "10", "59", "59");
    m_timers.advance(TimeWindow::TickMilliseconds);
    EXPECT_EQ(shown(), QStringLiteral("01 01 2010 11 00 00"));
}

TEST_F(TimeWindowTest, SetSendsTheBoxesWithTheYearSplitIntoYearAndCentury)
{
    show("14", "03", "2009", "15", "09", "26");
    click(QStringLiteral("cmdSetSystem"));
    ASSERT_EQ(m_recorder.packets().size(), 1);
    EXPECT_EQ(m_recorder.packets()[0].code, PacketCode::SetClock);
    EXPECT_EQ(m_recorder.packets()[0].payload, bytes("00 00 1A 09 0F 0E 03 09 00 14"));

    m_recorder.clear();
    click(QStringLiteral("cmdGetSystem"));
    ASSERT_EQ(m_recorder.packets().size(), 1);
    EXPECT_EQ(m_recorder.packets()[0].code, PacketCode::Clock);
    EXPECT_EQ(m_recorder.packets()[0].payload, bytes("00 00"));
}

TEST_F(TimeWindowTest, RefusesAnEmptyDateOrAValueTheClockCannotHoldAndSendsNothing)
{
    type(QStringLiteral("txtYear"), QString());
    click(QStringLiteral("cmdSetSystem"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Please select a date")});

    const struct
    {
        const char *box;
        const char *text;
        const char *message;
    } refusals[] = {
        {"txtDay", "31", "Day must be a whole number in the range 1 - 28"},
        {"txtMonth", "13", "Month must be a whole number in the range 1 - 12"},
        {"txtYear", "20x5", "Year must be a whole number in the range 1 - 9999"},
        {"txtHours", "24", "Hours must be a whole number in the range 0 - 23"},
        {"txtMins", "7.5", "Minutes must be a whole number in the range 0 - 59"},
        {"txtSecs", "300", "Seconds must be a whole number in the range 0 - 59"},
    };
    for (const auto &refusal : refusals) {
        show("28", "02", "2005", "12", "00", "00");
        m_messages.clearShownMessages();
        type(QString::fromLatin1(refusal.box), QString::fromLatin1(refusal.text));
        click(QStringLiteral("cmdSetSystem"));
        EXPECT_EQ(messages(), QStringList{QString::fromLatin1(refusal.message)}) << refusal.box;
        EXPECT_TRUE(hasFocus(QString::fromLatin1(refusal.box))) << refusal.box;
    }
    EXPECT_EQ(m_recorder.count(), 0);
}

TEST_F(TimeWindowTest, TypingInTheSecondsFreezesTheClockUntilThePcTimeIsTakenAgain)
{
    m_timers.advance(TimeWindow::TickMilliseconds);
    QLineEdit *seconds = box(QStringLiteral("txtSecs"));
    seconds->setFocus(Qt::MouseFocusReason);
    // The first change after a tick is taken as the clock's own.
    QTest::keyClick(seconds, Qt::Key_Backspace);
    EXPECT_FALSE(m_window->isStopped());
    QTest::keyClicks(seconds, QStringLiteral("7"));
    EXPECT_TRUE(m_window->isStopped());
    const QString frozen = shown();
    m_timers.advance(3 * TimeWindow::TickMilliseconds);
    EXPECT_EQ(shown(), frozen);

    ClockReading reading{QStringLiteral("26"), QStringLiteral("09"), QStringLiteral("15"),
                         QStringLiteral("14"), QStringLiteral("03"), QStringLiteral("2009")};
    m_window->showClock(reading);
    m_timers.advance(TimeWindow::TickMilliseconds);
    EXPECT_EQ(shown(), QStringLiteral("14 03 2009 15 09 26"));

    m_now = QDateTime(QDate(2024, 2, 29), QTime(8, 0, 0));
    click(QStringLiteral("cmdGetPC"));
    m_timers.advance(TimeWindow::TickMilliseconds);
    EXPECT_EQ(shown(), QStringLiteral("29 02 2024 08 00 01"));
}
