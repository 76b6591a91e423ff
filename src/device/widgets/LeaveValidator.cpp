#include "LeaveValidator.h"

#include <QFocusEvent>
#include <QLineEdit>

#include <utility>

bool LeaveValidator::s_refusing = false;

LeaveValidator::LeaveValidator(QLineEdit *box, Check check)
    : QObject(box)
    , m_box(box)
    , m_check(std::move(check))
{
    box->installEventFilter(this);
}

void LeaveValidator::attach(QLineEdit *box, Check check)
{
    new LeaveValidator(box, std::move(check));
}

void LeaveValidator::refocus(QLineEdit *box)
{
    const bool wasRefusing = std::exchange(s_refusing, true);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    s_refusing = wasRefusing;
}

bool LeaveValidator::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box || event->type() != QEvent::FocusOut || s_refusing)
        return QObject::eventFilter(watched, event);

    // Another window coming forward (a message box among them) is not the
    // engineer leaving the box.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !m_box->isVisible())
        return QObject::eventFilter(watched, event);

    s_refusing = true;
    if (!m_check())
        refocus(m_box);
    s_refusing = false;
    return QObject::eventFilter(watched, event);
}
