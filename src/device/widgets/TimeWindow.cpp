#include "device/widgets/TimeWindow.h"

#include "core/Timer.h"
#include "core/TimerFactory.h"
#include "device/ClockPackets.h"
#include "device/NumericText.h"
#include "link/ClockReading.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("System Time");
const QString SelectDateText = QStringLiteral("Please select a date");
const QString DayName = QStringLiteral("Day");
const QString MonthName = QStringLiteral("Month");
const QString YearName = QStringLiteral("Year");
const QString HoursName = QStringLiteral("Hours");
const QString MinutesName = QStringLiteral("Minutes");
const QString SecondsName = QStringLiteral("Seconds");

constexpr int FieldWidth = 2;
constexpr int YearWidth = 4;
constexpr int LastSecond = 59;
constexpr int LastMinute = 59;
constexpr int LastHour = 23;
constexpr int LastMonth = 12;
constexpr int FirstYear = 1;
constexpr int LastYear = 9999;

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, FieldWidth, 10, QLatin1Char('0'));
}

// What the running clock counts from; text that is not a number counts as 0.
int shownValue(const QLineEdit *box)
{
    return box->text().trimmed().toInt();
}

QGroupBox *frame(const QString &title, QWidget *parent, std::initializer_list<std::pair<QString, QLineEdit *>> boxes)
{
    auto *group = new QGroupBox(title, parent);
    auto *layout = new QGridLayout(group);
    int column = 0;
    for (const auto &[caption, box] : boxes) {
        auto *label = new QLabel(caption, group);
        label->setBuddy(box);
        layout->addWidget(label, 0, column);
        layout->addWidget(box, 1, column);
        ++column;
    }
    return group;
}
} // namespace

TimeWindow::TimeWindow(const DeviceServices &services, Clock currentTime, QWidget *parent)
    : DeviceDialog(services, QStringLiteral("frmTime"), Title, parent)
    , m_currentTime(currentTime ? std::move(currentTime) : Clock(&QDateTime::currentDateTime))
    , m_timer1(timers().createTimer(TickMilliseconds))
    , m_txtDay(makeBox(QStringLiteral("txtDay")))
    , m_txtMonth(makeBox(QStringLiteral("txtMonth")))
    , m_txtYear(makeBox(QStringLiteral("txtYear")))
    , m_txtHours(makeBox(QStringLiteral("txtHours")))
    , m_txtMins(makeBox(QStringLiteral("txtMins")))
    , m_txtSecs(makeBox(QStringLiteral("txtSecs")))
{
    QPushButton *cmdGetPC = makeButton(QStringLiteral("cmdGetPC"), tr("Get &PC Time"));
    QPushButton *cmdGetSystem = makeButton(QStringLiteral("cmdGetSystem"), tr("&Get System Time"));
    QPushButton *cmdSetSystem = makeButton(QStringLiteral("cmdSetSystem"), tr("&Set System Time"));
    connect(cmdGetPC, &QPushButton::clicked, this, &TimeWindow::cmdGetPC_Click);
    connect(cmdGetSystem, &QPushButton::clicked, this, &TimeWindow::cmdGetSystem_Click);
    connect(cmdSetSystem, &QPushButton::clicked, this, &TimeWindow::cmdSetSystem_Click);

    auto *frames = new QHBoxLayout;
    frames->addWidget(
        frame(tr("Date"), this, {{tr("&Day"), m_txtDay}, {tr("&Month"), m_txtMonth}, {tr("&Year"), m_txtYear}}));
    frames->addWidget(
        frame(tr("Time"), this, {{tr("&Hours"), m_txtHours}, {tr("M&ins"), m_txtMins}, {tr("S&ecs"), m_txtSecs}}));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdGetPC);
    buttons->addWidget(cmdGetSystem);
    buttons->addWidget(cmdSetSystem);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);

    m_txtSecs->installEventFilter(this);
    connect(m_txtSecs, &QLineEdit::textChanged, this, &TimeWindow::txtSecs_Change);
    m_timer1->setCallback([this] { Timer1_Timer(); });

    cmdGetPC_Click();
    m_stopped = false;
    m_secsFocus = false;
    m_timer1->start();
}

TimeWindow::~TimeWindow() = default;

void TimeWindow::showClock(const ClockReading &clock)
{
    m_txtSecs->setText(clock.seconds);
    m_txtMins->setText(clock.minutes);
    m_txtHours->setText(clock.hours);
    m_txtDay->setText(clock.day);
    m_txtMonth->setText(clock.month);
    m_txtYear->setText(clock.year);
}

bool TimeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtSecs) {
        if (event->type() == QEvent::FocusIn)
            m_secsFocus = true;
        else if (event->type() == QEvent::FocusOut)
            m_secsFocus = false;
    }
    return DeviceDialog::eventFilter(watched, event);
}

void TimeWindow::cmdGetPC_Click()
{
    const QDateTime now = m_currentTime();
    m_txtDay->setText(twoDigits(now.date().day()));
    m_txtMonth->setText(twoDigits(now.date().month()));
    m_txtYear->setText(QStringLiteral("%1").arg(now.date().year(), YearWidth, 10, QLatin1Char('0')));
    m_txtHours->setText(twoDigits(now.time().hour()));
    m_txtMins->setText(twoDigits(now.time().minute()));
    m_txtSecs->setText(twoDigits(now.time().second()));
    m_stopped = false;
}

void TimeWindow::cmdGetSystem_Click()
{
    send(ClockPackets::readRequest());
}

void TimeWindow::cmdSetSystem_Click()
{
    for (QLineEdit *box : {m_txtDay, m_txtMonth, m_txtYear}) {
        if (box->text().isEmpty()) {
            refuse(box, SelectDateText);
            return;
        }
    }
    QDate date;
    QTime time;
    if (readSetting(date, time))
        send(ClockPackets::setClock(date, time));
}

bool TimeWindow::readSetting(QDate &date, QTime &time)
{
    using NumericText::wholeNumber;
    using NumericText::wholeNumberRequired;

    const std::optional<int> year = wholeNumber(m_txtYear->text(), FirstYear, LastYear);
    if (!year) {
        refuse(m_txtYear, wholeNumberRequired(YearName, FirstYear, LastYear));
        return false;
    }
    const std::optional<int> month = wholeNumber(m_txtMonth->text(), 1, LastMonth);
    if (!month) {
        refuse(m_txtMonth, wholeNumberRequired(MonthName, 1, LastMonth));
        return false;
    }
    const int lastDay = QDate(*year, *month, 1).daysInMonth();
    const std::optional<int> day = wholeNumber(m_txtDay->text(), 1, lastDay);
    if (!day) {
        refuse(m_txtDay, wholeNumberRequired(DayName, 1, lastDay));
        return false;
    }
    const std::optional<int> hours = wholeNumber(m_txtHours->text(), 0, LastHour);
    if (!hours) {
        refuse(m_txtHours, wholeNumberRequired(HoursName, 0, LastHour));
        return false;
    }
    const std::optional<int> minutes = wholeNumber(m_txtMins->text(), 0, LastMinute);
    if (!minutes) {
        refuse(m_txtMins, wholeNumberRequired(MinutesName, 0, LastMinute));
        return false;
    }
    const std::optional<int> seconds = wholeNumber(m_txtSecs->text(), 0, LastSecond);
    if (!seconds) {
        refuse(m_txtSecs, wholeNumberRequired(SecondsName, 0, LastSecond));
        return false;
    }
    date = QDate(*year, *month, *day);
    time = QTime(*hours, *minutes, *seconds);
    return true;
}

void TimeWindow::Timer1_Timer()
{
    if (!m_stopped) {
        if (shownValue(m_txtSecs) == LastSecond) {
            m_txtSecs->setText(twoDigits(0));
            if (shownValue(m_txtMins) == LastMinute) {
                m_txtMins->setText(twoDigits(0));
                const int hours = shownValue(m_txtHours);
                m_txtHours->setText(twoDigits(hours == LastHour ? 0 : hours + 1));
            } else {
                m_txtMins->setText(twoDigits(shownValue(m_txtMins) + 1));
            }
        } else {
            m_txtSecs->setText(twoDigits(shownValue(m_txtSecs) + 1));
        }
    }
    m_timerChange = true;
}

void TimeWindow::txtSecs_Change()
{
    if (m_secsFocus && !m_timerChange)
        m_stopped = true;
    m_timerChange = false;
}
