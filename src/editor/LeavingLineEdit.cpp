#include "LeavingLineEdit.h"

#include "MessageService.h"

#include <QFocusEvent>
#include <QKeyEvent>

const QString LeavingLineEdit::NotANumber = QStringLiteral("Must be a number");

bool LeavingLineEdit::s_refusing = false;

namespace {
const QString RangeStart = QStringLiteral(" from 0 to ");
constexpr int DecimalBase = 10;
} // namespace

LeavingLineEdit::LeavingLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

void LeavingLineEdit::setNumberRange(MessageService &messages, qint64 largest)
{
    m_messages = &messages;
    m_largest = largest;
}

qint64 LeavingLineEdit::number() const
{
    return text().trimmed().toLongLong(nullptr, DecimalBase);
}

void LeavingLineEdit::showValue(const QString &value)
{
    setText(value);
    setModified(false);
}

QString LeavingLineEdit::refusal() const
{
    if (!isNumberBox())
        return {};
    bool ok = false;
    const qint64 value = text().trimmed().toLongLong(&ok, DecimalBase);
    if (!ok)
        return NotANumber;
    // A value outside the field's bytes would be stored cut down to them.
    if (value < 0 || value > m_largest)
        return NotANumber + RangeStart + QString::number(m_largest);
    return {};
}

void LeavingLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A menu or another window taking the focus is no move to another box:
    // a good value is kept, a bad one waits until the engineer really leaves.
    const Qt::FocusReason reason = event->reason();
    leave(reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason);
}

void LeavingLineEdit::keyPressEvent(QKeyEvent *event)
{
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        leave(true);
}

void LeavingLineEdit::leave(bool mayRefuse)
{
    if (s_refusing || !isModified())
        return;
    if (refusal().isEmpty()) {
        setModified(false);
        emit left();
        return;
    }
    if (mayRefuse && !m_refusalPending) {
        // Refused once the focus has settled, so the box the engineer moved to
        // is left before this one takes the focus back.
        m_refusalPending = true;
        QMetaObject::invokeMethod(this, &LeavingLineEdit::refuse, Qt::QueuedConnection);
    }
}

void LeavingLineEdit::refuse()
{
    m_refusalPending = false;
    const QString message = refusal();
    // A fill may have replaced the text, or the panel gone, in the meantime.
    if (message.isEmpty() || !isModified() || !isVisible() || !isEnabled())
        return;
    s_refusing = true;
    m_messages->show(this, QMessageBox::Warning, QString(), message);
    setFocus(Qt::OtherFocusReason);
    selectAll();
    s_refusing = false;
}
