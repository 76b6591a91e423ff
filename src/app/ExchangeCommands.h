#pragma once

#include "app/SendChangesCommand.h"
#include "transfer/RecordRef.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferObserver.h"

#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

class ConfigurationTable;
class DocumentWindow;
class ExchClass;
class HistoryCommands;
class MessageService;
class QWidget;
class RecordWriteQueue;
class SerialLink;
class TransferWindow;

// The System menu's transfers (Get, Send, Send Changes and Compare With
// Exchange): whether the line is free for one, the document it fills or
// sends, and which configurations may be written to the exchange online.
class ExchangeCommands
{
public:
    struct Services
    {
        MessageService &messages;
        SerialLink &link;
        TransferEngine &engine;
        RecordWriteQueue &writes;
        TransferWindow &transferWindow;
        HistoryCommands &history;
        ConfigurationTable &configurations;
        std::function<QList<DocumentWindow *>()> documents;
        // A new, empty document window on a new configuration.
        std::function<DocumentWindow *()> newDocument;
    };

    ExchangeCommands(const Services &services, QWidget *parent);

    // Each refuses, telling the engineer why, when no exchange answers, and
    // brings the transfer window forward while a transfer holds the line.
    void getConfiguration();
    // File → New: the same as Get, with its own words when it is refused.
    void newConfiguration();
    void sendConfiguration(DocumentWindow &document);
    void sendChanges(DocumentWindow &document);
    void compareWithExchange(DocumentWindow &document);

    // A configuration that did not come from the exchange in this run is
    // written online only once the engineer agreed, asked at its first write.
    bool mayWriteOnline(const ExchClass &config);

private:
    void getConfiguration(const QString &refusal);
    void startTransfer(TransferEngine::Mode mode, DocumentWindow &document, const QList<RecordRef> &records = {});
    void transferFinished(TransferObserver::Outcome outcome);
    void noteTransferOutcome(TransferObserver::Outcome outcome);
    // True when an exchange answers and no transfer holds the line; otherwise
    // says why not (no exchange) or leaves it to the transfer window (busy).
    bool lineFreeFor(const QString &title, const QString &refusal);
    // Send Configuration's question: the document, the exchange and what will be written.
    bool confirmSend(const DocumentWindow &document);
    // The exchange as the send questions name it.
    QString exchangeText() const;
    // The port the link runs on, as the port panel names it.
    QString portName() const;

    Services m_services;
    QWidget *m_parent;
    SendChangesCommand m_sendChanges;
    // Configurations read from or sent to the exchange in this run, or
    // agreed by the engineer; those the engineer kept off the exchange.
    QSet<const ExchClass *> m_liveConfigurations;
    QSet<const ExchClass *> m_offlineConfigurations;
    // The system name of the last configuration read from or sent to the exchange in this run.
    std::optional<QString> m_exchangeSystemName;
    // The document a running transfer fills or sends; null once it is closed.
    QPointer<DocumentWindow> m_transferDocument;
};
