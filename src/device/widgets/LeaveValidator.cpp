#include "device/widgets/LeaveValidator.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include <utility>

namespace {
// A box refused as a mouse press took the focus away: that press must not
// go on to click what it was aimed at, or a send button would act on the
// refused value. Swallows the one press, or nothing when none follows.
class PressSwallower : public QObject
{
public:
    PressSwallower()
    {
        qApp->installEventFilter(this);
        // Gone once the event loop is back, after the press being dispatched.
        deleteLater();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        qApp->removeEventFilter(this);
        return true;
    }
};
} // namespace

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
    if (!m_check()) {
        refocus(m_box);
        if (reason == Qt::MouseFocusReason)
            new PressSwallower;
    }
    s_refusing = false;
    return QObject::eventFilter(watched, event);
}
