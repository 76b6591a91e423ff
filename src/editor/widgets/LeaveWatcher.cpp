#include "editor/widgets/LeaveWatcher.h"

#include "shell/MessageService.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QWidget>

bool LeaveWatcher::s_refusing = false;
QPointer<LeaveWatcher> LeaveWatcher::s_entered;

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
        messages.show(control, QMessageBox::Warning, QString(), message);
        if (auto *box = qobject_cast<QLineEdit *>(control))
            box->selectAll();
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

bool LeaveWatcher::isOnScreen() const
{
    return m_control->isVisible() && m_control->isEnabled();
}

bool LeaveWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control || s_refusing)
        return false;
    if (event->type() == QEvent::FocusIn) {
        // Its window came back with the focus somewhere else: the control
        // the engineer was in is left now.
        if (s_entered && s_entered != this && s_entered->isOnScreen() && !s_entered->commit())
            return true;
        s_entered = this;
        return false;
    }
    if (event->type() != QEvent::FocusOut)
        return false;
    if (!isOnScreen()) {
        if (s_entered == this)
            s_entered.clear();
        return false;
    }
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    if (!commit()) {
        // The control kept the focus and must not see the move away.
        return true;
    }
    if (s_entered == this)
        s_entered.clear();
    return false;
}

// A cell edited in place keeps its text in its editor until the view loses
// the focus; a command run from the keyboard must not leave it behind.
static void commitCellEditor(const QWidget &area)
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused || !area.isAncestorOf(focused))
        return;
    for (QWidget *editor = focused; editor->parentWidget(); editor = editor->parentWidget()) {
        auto *view = qobject_cast<QAbstractItemView *>(editor->parentWidget()->parentWidget());
        if (!view || editor->parentWidget() != view->viewport())
            continue;
        QAbstractItemDelegate *delegate = view->itemDelegateForIndex(view->currentIndex());
        Q_EMIT delegate->commitData(editor);
        Q_EMIT delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
        return;
    }
}

bool LeaveWatcher::commitFocused(const QWidget &area)
{
    // While a check holds the engineer in its control, nothing moves on.
    if (s_refusing)
        return false;
    commitCellEditor(area);
    LeaveWatcher *entered = s_entered;
    if (!entered || !area.isAncestorOf(entered->m_control))
        return true;
    if (!entered->commit())
        return false;
    // A control the engineer is no longer in has nothing more to give.
    if (!entered->m_control->hasFocus())
        s_entered.clear();
    return true;
}
