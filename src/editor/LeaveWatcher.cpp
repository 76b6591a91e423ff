#include "LeaveWatcher.h"

#include <QFocusEvent>
#include <QWidget>

LeaveWatcher *LeaveWatcher::watch(QWidget *control, Write write, Check check)
{
    return new LeaveWatcher(control, std::move(write), std::move(check));
}

LeaveWatcher::LeaveWatcher(QWidget *control, Write write, Check check)
    : QObject(control)
    , m_control(control)
    , m_write(std::move(write))
    , m_check(std::move(check))
{
    control->installEventFilter(this);
}

bool LeaveWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control || event->type() != QEvent::FocusOut || m_refusing)
        return QObject::eventFilter(watched, event);
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason || !m_control->isVisible())
        return QObject::eventFilter(watched, event);

    m_refusing = true;
    const bool accepted = !m_check || m_check();
    if (!accepted)
        m_control->setFocus(Qt::OtherFocusReason);
    else if (m_write)
        m_write();
    m_refusing = false;
    return QObject::eventFilter(watched, event);
}
