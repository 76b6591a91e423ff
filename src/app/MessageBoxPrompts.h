#pragma once

#include "export/CardTransferPrompts.h"

class MessageService;
class QWidget;

// The card step's questions and messages as the program's message boxes.
class MessageBoxPrompts : public CardTransferPrompts
{
public:
    MessageBoxPrompts(MessageService &messages, QWidget *parent);

    void showMessage(Severity severity, const QString &title, const QString &text) override;
    bool askYesNo(const QString &title, const QString &text) override;

private:
    MessageService &m_messages;
    QWidget *m_parent;
};
