#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs a field editor's handlers when the engineer leaves its control: first
// a check that may refuse the leave (it shows its own message; the focus then
// goes back into the control and nothing is written), then the write. Focus
// lost to a pop-up or to another window is no leave, nor is a control being
// hidden with its panel.
class LeaveWatcher : public QObject
{
    Q_OBJECT

public:
    using Check = std::function<bool()>;
    using Write = std::function<void()>;

    // The watcher belongs to the control.
    static LeaveWatcher *watch(QWidget *control, Write write, Check check = Check());

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    LeaveWatcher(QWidget *control, Write write, Check check);

    QWidget *m_control;
    Write m_write;
    Check m_check;
    bool m_refusing = false;
};
