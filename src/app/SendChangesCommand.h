#pragma once

#include "transfer/RecordRef.h"

#include <QList>
#include <QString>

class DocumentWindow;
class HistoryCommands;
class MessageService;
class QWidget;

// System → Send Changes up to the transfer: the document's baseline, the
// records changed since, the check of the configuration and the engineer's
// answer to the list of changes.
class SendChangesCommand
{
public:
    static const QString Title;
    // Records listed in the question; the rest are counted.
    static constexpr int MaxListed = 20;

    SendChangesCommand(MessageService &messages, const HistoryCommands &history, QWidget *parent);

    // The records to write to exchange (as the question names it) once the
    // engineer agreed; empty when there is nothing to send, when records
    // cannot be sent one by one, or when the engineer declined, each told.
    QList<RecordRef> confirm(DocumentWindow &document, const QString &exchange);

private:
    MessageService &m_messages;
    const HistoryCommands &m_history;
    QWidget *m_parent;
};
