#include "editor/widgets/LeavingLineEdit.h"

#include "editor/widgets/LeaveWatcher.h"
#include "shell/MessageService.h"

#include <QKeyEvent>

const QString LeavingLineEdit::NotANumber = QStringLiteral("Must be a number");

namespace {
const QString RangeStart = QStringLiteral(" from 0 to ");
constexpr int DecimalBase = 10;
} // namespace

LeavingLineEdit::LeavingLineEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_watcher(LeaveWatcher::watch(
          this, [this] { write(); }, [this] { return mayBeLeft(); }))
{
}

void LeavingLineEdit::setRule(MessageService &messages, Rule rule)
{
    m_messages = &messages;
    m_rule = std::move(rule);
}

void LeavingLineEdit::setNumberRange(MessageService &messages, qint64 largest)
{
    setRule(messages, [largest](const QString &text) -> QString {
        bool ok = false;
        const qint64 value = text.trimmed().toLongLong(&ok, DecimalBase);
        if (!ok)
            return NotANumber;
        // A value outside the field's bytes would be stored cut down to them.
        if (value < 0 || value > largest)
            return NotANumber + RangeStart + QString::number(largest);
        return {};
    });
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

bool LeavingLineEdit::mayBeLeft()
{
    const QString message = isModified() && m_rule ? m_rule(text()) : QString();
    if (message.isEmpty())
        return true;
    m_messages->show(this, QMessageBox::Warning, QString(), message);
    selectAll();
    return false;
}

void LeavingLineEdit::write()
{
    if (!isModified())
        return;
    setModified(false);
    emit left();
}

void LeavingLineEdit::keyPressEvent(QKeyEvent *event)
{
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        m_watcher->commit();
}
