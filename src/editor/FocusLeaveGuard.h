#pragma once

#include <QObject>
#include <QString>

#include <functional>

class MessageService;
class QWidget;

// Watches a control for the engineer moving to another control of the
// window. The check runs first: the text it returns refuses the move, is
// shown as a message and the focus stays in the control. Otherwise the write
// runs. Switching to another window, opening the control's own pop-up, or
// the control being hidden or disabled under the engineer's hands is no move.
class FocusLeaveGuard : public QObject
{
public:
    using Check = std::function<QString()>;
    using Write = std::function<void()>;

    static FocusLeaveGuard *watch(QWidget *control, MessageService &messages, Check check, Write write);
    static FocusLeaveGuard *watch(QWidget *control, MessageService &messages, Write write);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FocusLeaveGuard(QWidget *control, MessageService &messages, Check check, Write write);

    QWidget *m_control;
    MessageService &m_messages;
    Check m_check;
    Write m_write;
    // Taking the focus back moves it away from the control the engineer chose;
    // that move is no leaving of its own.
    static bool s_refusing;
};
