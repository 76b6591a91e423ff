#include "app/ExchangeCommands.h"

#include "app/SendGuard.h"
#include "app/SendSummary.h"
#include "editor/widgets/DocumentWindow.h"
#include "history/HistoryEntry.h"
#include "history/widgets/HistoryCommands.h"
#include "link/RecordWriteQueue.h"
#include "link/SerialLink.h"
#include "model/ConfigurationTable.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "shell/MessageService.h"
#include "transfer/widgets/TransferWindow.h"

namespace {
const QString GetConfigurationTitle = QStringLiteral("Get Configuration");
const QString NoOrvexText = QStringLiteral("No Orvex detected");
const QString NotGettingText = QStringLiteral("Not getting configuraton");
const QString NotSendingText = QStringLiteral("Not sending configuraton");
const QString NotSendingChangesText = QStringLiteral("Not sending changes");
const QString CompareWithExchangeTitle = QStringLiteral("Compare With Exchange");
const QString NotComparingText = QStringLiteral("Not reading the configuration to compare");
const QString NothingToSendText = QStringLiteral("This document holds no configuration, so there is nothing to send.");
const QChar LineBreak = QLatin1Char('\n');
const QString UpdateOnlineTitle = QStringLiteral("Update Online System");
const QString WriteFileQuestion =
    QStringLiteral("%1 was not read from the exchange in this session.\n\n"
                   "Its system: %2\n"
                   "The exchange: %3\n\n"
                   "Write the changes of this document to the exchange? The answer holds for this document.");
const QString NotReadExchangeText = QStringLiteral("the exchange on %1 (not read in this session)");
const QString SendConfigurationTitle = QStringLiteral("Send Configuration");
const QString SendAnywayButton = QStringLiteral("Send Anyway");
const QString TransferStep = QStringLiteral("Transfer with the Exchange");
const QString SendQuestion =
    QStringLiteral("Send %1 to %2?\n\n"
                   "The exchange's configuration is replaced by this document's. Records written:\n%3"
                   "Records the exchange holds where this document has a free slot are cleared.");
const QString SendExchangeText = QStringLiteral("the exchange on %1, system %2");
const QString NoSystemName = QStringLiteral("(no system name)");
const QString NoDocumentName = QStringLiteral("This document");
const QChar PortPanelSeparator = QLatin1Char(';');

bool holdsNoStructures(const ExchClass &config)
{
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        if (config.member(m).Records() > 0)
            return false;
    }
    return true;
}

QString systemName(const ExchClass &config)
{
    const RecordClass &system = config.System();
    if (system.Records() < 1 || system.GetType(FieldNames::Name) != FieldType::String)
        return QString();
    return QString::fromLatin1(system.GetString(FieldNames::Name, 0));
}

QString quoted(const QString &name)
{
    return name.isEmpty() ? NoSystemName : QStringLiteral("\"%1\"").arg(name);
}
} // namespace

ExchangeCommands::ExchangeCommands(const Services &services, QWidget *parent)
    : m_services(services)
    , m_parent(parent)
    , m_sendChanges(services.messages, services.history, parent)
{
    m_services.transferWindow.setFinishedCallback([this](TransferObserver::Outcome outcome) {
        noteTransferOutcome(outcome);
        transferFinished(outcome);
    });
}

void ExchangeCommands::getConfiguration()
{
    getConfiguration(NoOrvexText + LineBreak + NotGettingText);
}

void ExchangeCommands::newConfiguration()
{
    getConfiguration(NotGettingText + LineBreak + NoOrvexText);
}

void ExchangeCommands::getConfiguration(const QString &refusal)
{
    if (!lineFreeFor(GetConfigurationTitle, refusal))
        return;
    startTransfer(TransferEngine::Mode::Get, *m_services.newDocument());
}

void ExchangeCommands::sendConfiguration(DocumentWindow &document)
{
    if (!lineFreeFor(GetConfigurationTitle, NoOrvexText + LineBreak + NotSendingText))
        return;
    const ExchClass &config = m_services.configurations.at(document.ExNum());
    // A window opened empty would write blank tables over the exchange's.
    if (holdsNoStructures(config)) {
        m_services.messages.show(m_parent, QMessageBox::Warning, QString(), NothingToSendText);
        return;
    }
    if (!SendGuard::confirm(m_parent, m_services.messages, config, document.caption(), SendConfigurationTitle,
                            SendAnywayButton)
        || !confirmSend(document))
        return;
    startTransfer(TransferEngine::Mode::Send, document);
}

void ExchangeCommands::sendChanges(DocumentWindow &document)
{
    if (!lineFreeFor(SendChangesCommand::Title, NoOrvexText + LineBreak + NotSendingChangesText))
        return;
    const QList<RecordRef> records = m_sendChanges.confirm(document, exchangeText());
    if (!records.isEmpty())
        startTransfer(TransferEngine::Mode::SendChanges, document, records);
}

void ExchangeCommands::compareWithExchange(DocumentWindow &document)
{
    if (!lineFreeFor(CompareWithExchangeTitle, NoOrvexText + LineBreak + NotComparingText))
        return;
    // The exchange is read into a configuration of its own: the document stays as it is.
    m_services.writes.setHeld(true);
    m_services.transferWindow.start(TransferEngine::Mode::Get, m_services.history.startExchangeRead(document));
}

bool ExchangeCommands::mayWriteOnline(const ExchClass &config)
{
    if (m_liveConfigurations.contains(&config))
        return true;
    if (m_offlineConfigurations.contains(&config))
        return false;
    QString documentName = NoDocumentName;
    for (const DocumentWindow *document : m_services.documents()) {
        if (&m_services.configurations.at(document->ExNum()) == &config)
            documentName = document->caption();
    }
    const QString exchange = m_exchangeSystemName ? quoted(*m_exchangeSystemName) : NotReadExchangeText.arg(portName());
    const QString question = WriteFileQuestion.arg(documentName, quoted(systemName(config)), exchange);
    const bool agreed = m_services.messages.show(m_parent, QMessageBox::Question, UpdateOnlineTitle, question,
                                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
    (agreed ? m_liveConfigurations : m_offlineConfigurations).insert(&config);
    return agreed;
}

void ExchangeCommands::startTransfer(TransferEngine::Mode mode, DocumentWindow &document,
                                     const QList<RecordRef> &records)
{
    m_transferDocument = &document;
    // What the exchange sends is no edit of the engineer's, one record at a time.
    document.beginStep(TransferStep);
    m_services.writes.setHeld(true);
    m_services.transferWindow.start(mode, &m_services.configurations.at(document.ExNum()), records);
}

void ExchangeCommands::noteTransferOutcome(TransferObserver::Outcome outcome)
{
    if (outcome != TransferObserver::Outcome::Completed || !m_transferDocument)
        return;
    // Read from the exchange or just written to it: the document and the exchange agree.
    const ExchClass &config = m_services.configurations.at(m_transferDocument->ExNum());
    m_liveConfigurations.insert(&config);
    m_offlineConfigurations.remove(&config);
    m_exchangeSystemName = systemName(config);
}

void ExchangeCommands::transferFinished(TransferObserver::Outcome outcome)
{
    DocumentWindow *document = m_transferDocument;
    m_transferDocument.clear();
    m_services.writes.setHeld(false);
    const TransferEngine &engine = m_services.engine;
    const bool completed = outcome == TransferObserver::Outcome::Completed;
    if (completed) {
        m_services.history.keep(*engine.configuration(),
                                engine.mode() == TransferEngine::Mode::Get ? HistoryEntry::Kind::Get
                                                                           : HistoryEntry::Kind::Send);
    }
    if (m_services.history.finishExchangeRead(completed) || !document)
        return;
    document->endStep();
    if (completed) {
        document->GetConfiguration();
        if (engine.mode() == TransferEngine::Mode::Get)
            document->markUnmodified();
    } else if (engine.mode() == TransferEngine::Mode::Get) {
        // The window was opened for this get and holds nothing the engineer made.
        delete document->parentWidget();
    }
}

bool ExchangeCommands::lineFreeFor(const QString &title, const QString &refusal)
{
    if (m_services.link.noConnection()) {
        m_services.messages.show(m_parent, QMessageBox::Warning, title, refusal);
        return false;
    }
    if (!m_services.engine.transferRunning())
        return true;
    // There is one transfer window: while it runs, it is brought forward
    // instead of a second transfer taking over the line.
    m_services.transferWindow.raise();
    m_services.transferWindow.activateWindow();
    return false;
}

QString ExchangeCommands::exchangeText() const
{
    return m_exchangeSystemName ? SendExchangeText.arg(portName(), quoted(*m_exchangeSystemName))
                                : NotReadExchangeText.arg(portName());
}

bool ExchangeCommands::confirmSend(const DocumentWindow &document)
{
    const QString question =
        SendQuestion.arg(document.caption(), exchangeText(),
                         SendSummary::recordsToWrite(m_services.configurations.at(document.ExNum())));
    return m_services.messages.show(m_parent, QMessageBox::Warning, SendConfigurationTitle, question,
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

QString ExchangeCommands::portName() const
{
    return m_services.link.portPanelText().section(PortPanelSeparator, 0, 0);
}
