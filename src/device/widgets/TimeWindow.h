#pragma once

#include "device/widgets/DeviceDialog.h"

#include <QDateTime>

#include <functional>
#include <memory>

struct ClockReading;
class QLineEdit;
class Timer;

// frmTime: a date and a running time of day, from the PC's clock or read from
// the exchange, and the command that sets the exchange's clock.
class TimeWindow : public DeviceDialog
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    static constexpr int TickMilliseconds = 1000;

    // currentTime is the PC's clock.
    TimeWindow(const DeviceServices &services, Clock currentTime, QWidget *parent = nullptr);
    ~TimeWindow() override;

    // The exchange's reply; a frozen clock stays frozen.
    void showClock(const ClockReading &clock);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdGetPC_Click();
    void cmdGetSystem_Click();
    void cmdSetSystem_Click();
    void Timer1_Timer();
    void txtSecs_Change();
    // The date and time of the boxes, or a refusal naming the first box that
    // does not hold a value the clock can take.
    bool readSetting(QDate &date, QTime &time);

    Clock m_currentTime;
    std::unique_ptr<Timer> m_timer1;
    QLineEdit *m_txtDay;
    QLineEdit *m_txtMonth;
    QLineEdit *m_txtYear;
    QLineEdit *m_txtHours;
    QLineEdit *m_txtMins;
    QLineEdit *m_txtSecs;
    bool m_stopped = false;
    bool m_secsFocus = false;
    bool m_timerChange = false;
};
