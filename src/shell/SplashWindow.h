#pragma once

#include <QWidget>

#include <memory>

class Timer;
class TimerFactory;

// Shown while the program starts. Closes itself on the first tick of its
// display timer or at once on a click anywhere on it, and deletes itself.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DisplayMilliseconds = 7000;

    explicit SplashWindow(TimerFactory &timers, QWidget *parent = nullptr);
    ~SplashWindow() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Timer> m_trmDisplay;
};
