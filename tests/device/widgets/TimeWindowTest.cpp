#include "device/widgets/DeviceWindowFixture.h"

#include "device/widgets/TimeWindow.h"
#include "link/ClockReading.h"
#include "link/PacketCode.h"

namespace {

class TimeWindowTest : public DeviceWindowFixture<TimeWindow>
{
protected:
    void SetUp() override { open(new TimeWindow(m_services, [this] { return m_now; })); }

    QString shown() const { return shownIn(m_window.data(), "txtDay txtMonth txtYear txtHours txtMins txtSecs"); }
    void show(const char *values)
    {
        const QStringList texts = QString::fromLatin1(values).split(QLatin1Char('|'));
        const char *const names[] = {"txtDay", "txtMonth", "txtYear", "txtHours", "txtMins", "txtSecs"};
        for (int i = 0; i < 6; ++i)
            box(names[i])->setText(texts.value(i));
    }

    QDateTime m_now{QDate(2009, 3, 14), QTime(23, 59, 58)};
};

TEST_F(TimeWindowTest, OpensOnThePcClockAndRollsOverMidnightWithoutAdvancingTheDate)
{
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|23|59|58"));
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|23|59|59"));
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|00|00|00"));
    show("01|01|2010|10|59|59");
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("01|01|2010|11|00|00"));
}

TEST_F(TimeWindowTest, SetSendsTheBoxesWithTheYearSplitIntoYearAndCenturyAndGetAsksForTheClock)
{
    show("14|03|2009|15|09|26");
    click("cmdSetSystem");
    click("cmdGetSystem");
    EXPECT_EQ(m_frames.size(), 2);
    EXPECT_EQ(sent(PacketCode::SetClock), QList<QByteArray>{bytes("00 00 1A 09 0F 0E 03 09 00 14")});
    EXPECT_EQ(sent(PacketCode::Clock), QList<QByteArray>{bytes("00 00")});
}

TEST_F(TimeWindowTest, RefusesAnEmptyDateOrAValueTheClockCannotHoldAndSendsNothing)
{
    type("txtYear", "");
    click("cmdSetSystem");
    EXPECT_EQ(messages(), strings({"Please select a date"}));
    const std::tuple<const char *, const char *, const char *> refusals[] = {
        {"txtDay", "31", "Day must be a whole number in the range 1 - 28"},
        {"txtMonth", "13", "Month must be a whole number in the range 1 - 12"},
        {"txtYear", "20x5", "Year must be a whole number in the range 1 - 9999"},
        {"txtHours", "24", "Hours must be a whole number in the range 0 - 23"},
        {"txtMins", "7.5", "Minutes must be a whole number in the range 0 - 59"},
        {"txtSecs", "300", "Seconds must be a whole number in the range 0 - 59"},
    };
    for (const auto &[name, text, message] : refusals) {
        show("28|02|2005|12|00|00");
        m_messages.clearShownMessages();
        type(name, text);
        click("cmdSetSystem");
        EXPECT_EQ(messages(), strings({message})) << name;
        EXPECT_TRUE(hasFocus(name)) << name;
    }
    EXPECT_TRUE(m_frames.isEmpty());
}

TEST_F(TimeWindowTest, TypingInTheSecondsFreezesTheClockUntilThePcTimeIsTakenAgain)
{
    m_timers.advance(1000);
    QLineEdit *seconds = box("txtSecs");
    seconds->setFocus(Qt::MouseFocusReason);
    // The first change after a tick is taken as the clock's own.
    QTest::keyClick(seconds, Qt::Key_Backspace);
    box("txtMins")->setFocus(Qt::MouseFocusReason);
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|23|59|06"));
    seconds->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(seconds, QStringLiteral("78"));
    const QString frozen = shown();
    m_timers.advance(3000);
    EXPECT_EQ(shown(), frozen);

    m_window->showClock({QStringLiteral("26"), QStringLiteral("09"), QStringLiteral("15"), QStringLiteral("14"),
                         QStringLiteral("03"), QStringLiteral("2009")});
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("14|03|2009|15|09|26")) << "a frozen clock stays frozen";

    m_now = QDateTime(QDate(2024, 2, 29), QTime(8, 0, 0));
    click("cmdGetPC");
    m_timers.advance(1000);
    EXPECT_EQ(shown(), QStringLiteral("29|02|2024|08|00|01"));
}

} // namespace
