#include "LeaveWatcher.h"

#include "MessageService.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

bool LeaveWatcher::s_refusing = false;

LeaveWatcher *LeaveWatcher::watch(QWidget *control, Write write, Check check)
{
    return new LeaveWatcher(control, std::move(write), std::move(check));
}

LeaveWatcher *LeaveWatcher::watch(QWidget *control, MessageService &messages, Refusal refusal, Write write)
{
    Check check = [control, &messages, refusal = std::move(refusal)] {
        const QString message = refusal();
        if (message.isEmpty())
            return true;
        messages.show(control, QMessageBox::NoIcon, QString(), message);
        return false;
    };
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

bool LeaveWatcher::commit()
{
    if (s_refusing)
        return false;
    if (m_check) {
        s_refusing = true;
        const bool accepted = m_check();
        if (!accepted)
            m_control->setFocus(Qt::OtherFocusReason);
        s_refusing = false;
        if (!accepted)
            return false;
    }
    if (m_write)
        m_write();
    return true;
}

bool LeaveWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control || event->type() != QEvent::FocusOut || s_refusing)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    if (!m_control->isVisible() || !m_control->isEnabled())
        return false;
    // A control that kept the focus must not see the move away.
    return !commit();
}

LeaveWatcher *LeaveWatcher::watcherOf(const QWidget *control)
{
    return control->findChild<LeaveWatcher *>(QString(), Qt::FindDirectChildrenOnly);
}

bool LeaveWatcher::commitFocused(const QWidget &area)
{
    // While a check holds the engineer in its control, nothing moves on.
    if (s_refusing)
        return false;
    QWidget *focused = QApplication::focusWidget();
    if (!area.isAncestorOf(focused))
        return true;
    // The focus may sit in a part of the watched control, such as the box of an editable list.
    for (const QWidget *widget = focused; widget != &area; widget = widget->parentWidget()) {
        if (LeaveWatcher *watcher = watcherOf(widget))
            return watcher->commit();
    }
    return true;
}
