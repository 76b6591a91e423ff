#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class MessageService;
class QWidget;

// Runs a field editor's handlers when the engineer leaves its control, or
// when the document asks for the edit on screen before it moves on: first a
// check that may refuse (the engineer is told, the focus stays in the control
// and nothing is written), then the write, against the record the control
// shows. Focus lost to a pop-up or to another window is no leave, nor is a
// control being hidden with its panel or disabled under the engineer's hands.
class LeaveWatcher : public QObject
{
    Q_OBJECT

public:
    // Shows its own message when it refuses.
    using Check = std::function<bool()>;
    // The message that refuses the leave; empty accepts it.
    using Refusal = std::function<QString()>;
    using Write = std::function<void()>;

    // The watcher belongs to the control.
    static LeaveWatcher *watch(QWidget *control, Write write, Check check = Check());
    static LeaveWatcher *watch(QWidget *control, MessageService &messages, Refusal refusal, Write write);

    // Checks and writes the control as leaving it would. False when refused.
    bool commit();
    // Commits the watched control inside area the engineer is in, if any:
    // the one with the focus, or the one that had it when its window lost
    // the focus. False when its value was refused.
    static bool commitFocused(const QWidget &area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    LeaveWatcher(QWidget *control, Write write, Check check);

    bool isOnScreen() const;

    QWidget *m_control;
    Write m_write;
    Check m_check;
    // Taking the focus back moves it away from the control the engineer
    // chose; that move is no leave of its own, for any watched control.
    static bool s_refusing;
    // The control the engineer entered and has not been seen to leave.
    static QPointer<LeaveWatcher> s_entered;
};
