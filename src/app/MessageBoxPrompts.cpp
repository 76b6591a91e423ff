#include "app/MessageBoxPrompts.h"

#include "shell/MessageService.h"

MessageBoxPrompts::MessageBoxPrompts(MessageService &messages, QWidget *parent)
    : m_messages(messages)
    , m_parent(parent)
{
}

void MessageBoxPrompts::showMessage(Severity severity, const QString &title, const QString &text)
{
    m_messages.show(m_parent, severity == Severity::Warning ? QMessageBox::Warning : QMessageBox::Information, title,
                    text);
}

bool MessageBoxPrompts::askYesNo(const QString &title, const QString &text)
{
    return m_messages.show(m_parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}
