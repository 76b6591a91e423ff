#include "FocusLeaveGuard.h"

#include "MessageService.h"

#include <QFocusEvent>
#include <QWidget>

bool FocusLeaveGuard::s_refusing = false;

FocusLeaveGuard::FocusLeaveGuard(QWidget *control, MessageService &messages, Check check, Write write)
    : QObject(control)
    , m_control(control)
    , m_messages(messages)
    , m_check(std::move(check))
    , m_write(std::move(write))
{
    control->installEventFilter(this);
}

FocusLeaveGuard *FocusLeaveGuard::watch(QWidget *control, MessageService &messages, Check check, Write write)
{
    return new FocusLeaveGuard(control, messages, std::move(check), std::move(write));
}

FocusLeaveGuard *FocusLeaveGuard::watch(QWidget *control, MessageService &messages, Write write)
{
    return new FocusLeaveGuard(control, messages, Check(), std::move(write));
}

bool FocusLeaveGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control || event->type() != QEvent::FocusOut || s_refusing)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    if (!m_control->isVisible() || !m_control->isEnabled())
        return false;
    const QString refusal = m_check ? m_check() : QString();
    if (refusal.isEmpty()) {
        if (m_write)
            m_write();
        return false;
    }
    s_refusing = true;
    m_control->setFocus(Qt::OtherFocusReason);
    s_refusing = false;
    m_messages.show(m_control, QMessageBox::NoIcon, QString(), refusal);
    // The control kept the focus, so it must not see the move away.
    return true;
}
