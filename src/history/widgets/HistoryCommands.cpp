#include "history/widgets/HistoryCommands.h"

#include "editor/widgets/DocumentWindow.h"
#include "history/Clock.h"
#include "history/widgets/ComparisonWindow.h"
#include "history/widgets/HistoryWindow.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"

namespace {
const QString HistoryTitle = QStringLiteral("History");
const QString CompareTitle = QStringLiteral("Compare With");
const QString LocalTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString NotKeptText =
    QStringLiteral("The configuration was %1, but no copy of it could be kept in the history:\n%2");
const QString ReadText = QStringLiteral("read from the exchange");
const QString SentText = QStringLiteral("sent to the exchange");
const QString NoCurrentText = QStringLiteral(
    "There is no configuration open to compare with. Open a file or get the configuration of the exchange first.");
const QString ChooseText = QStringLiteral("Compare %1 with a configuration kept in the history of %2, or with a file?");
const QString HistoryEntryButton = QStringLiteral("History Entry...");
const QString FileButton = QStringLiteral("File...");
const QString ExchangeTitle = QStringLiteral("Exchange as read %1");

QString localTime(const QDateTime &time)
{
    return time.toLocalTime().toString(LocalTimeFormat);
}

QString entryTitle(const HistoryEntry &entry)
{
    return QStringLiteral("%1, %2 of %3").arg(entry.site, HistoryEntry::kindName(entry.kind), localTime(entry.time));
}
} // namespace

HistoryCommands::HistoryCommands(Services services, const QString &root, QWidget *parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_parent(parent)
    , m_store(root, m_services.clock, HistoryStore::keepSetting(m_services.registry))
{
}

HistoryCommands::~HistoryCommands() = default;

void HistoryCommands::keep(const ExchClass &config, HistoryEntry::Kind kind)
{
    m_store.setKeep(HistoryStore::keepSetting(m_services.registry));
    const bool kept = m_store.add(config, kind);
    // The exchange read for a comparison is no document's.
    if (&config != m_exchangeRead.get())
        m_baselines.insert(
            &config,
            Baseline::fromTransfer(config, kind, m_services.clock.currentUtc(), kept ? m_store.lastPath() : QString()));
    if (kept)
        return;
    const QString text = NotKeptText.arg(kind == HistoryEntry::Kind::Get ? ReadText : SentText, m_store.errorString());
    // Told once the transfer's own end has been dealt with.
    QMetaObject::invokeMethod(
        this, [this, text] { m_services.messages.show(m_parent, QMessageBox::Warning, HistoryTitle, text); },
        Qt::QueuedConnection);
}

void HistoryCommands::showHistory()
{
    DocumentWindow *current = m_services.activeDocument();
    HistoryWindow *window = historyWindow();
    window->showSite(current && current->configuration() ? HistoryStore::siteName(*current->configuration())
                                                         : QString());
    window->show();
    window->raise();
    window->activateWindow();
}

void HistoryCommands::compareWith()
{
    DocumentWindow *active = m_services.activeDocument();
    if (!active)
        return;
    DocumentWindow &document = *active;
    const QString site = HistoryStore::siteName(*document.configuration());
    if (m_store.entries(site, false).isEmpty()) {
        compareWithFile(document);
        return;
    }
    const int answer = m_services.messages.show(
        m_parent, QMessageBox::Question, CompareTitle, ChooseText.arg(document.caption(), site),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
        {{QMessageBox::Yes, HistoryEntryButton}, {QMessageBox::No, FileButton}});
    if (answer == QMessageBox::No) {
        compareWithFile(document);
    } else if (answer == QMessageBox::Yes) {
        HistoryWindow *window = historyWindow();
        window->showSite(site);
        window->show();
        window->raise();
        window->activateWindow();
    }
}

ExchClass *HistoryCommands::startExchangeRead(DocumentWindow &document)
{
    m_exchangeRead = std::make_unique<ExchClass>();
    m_comparedDocument = &document;
    return m_exchangeRead.get();
}

bool HistoryCommands::finishExchangeRead(bool completed)
{
    if (!m_exchangeRead)
        return false;
    const std::unique_ptr<ExchClass> read = std::move(m_exchangeRead);
    if (completed && m_comparedDocument)
        showComparison(*read, ExchangeTitle.arg(localTime(m_services.clock.currentUtc())), *m_comparedDocument);
    m_comparedDocument.clear();
    return true;
}

HistoryWindow *HistoryCommands::historyWindow()
{
    if (!m_historyWindow) {
        m_historyWindow = new HistoryWindow(m_store,
                                            {[this](const HistoryEntry &entry) { openEntry(entry); },
                                             [this](const HistoryEntry &entry) { compareEntry(entry); }},
                                            m_parent);
    }
    return m_historyWindow;
}

// As a new, untitled document: saving it must not change what the history kept.
void HistoryCommands::openEntry(const HistoryEntry &entry)
{
    DocumentWindow *document = m_services.newDocument();
    if (!document->LoadFile(entry.path)) {
        delete document->parentWidget();
        return;
    }
    document->setCaption(QStringLiteral("%1 (%2)").arg(document->caption(), entryTitle(entry)));
    document->GetConfiguration();
    document->markUnmodified();
    fileOpened(*document->configuration(), entry.path);
}

void HistoryCommands::fileOpened(const ExchClass &config, const QString &path)
{
    m_baselines.insert(&config, Baseline::forOpenedFile(m_store, config, path));
}

void HistoryCommands::compareEntry(const HistoryEntry &entry)
{
    DocumentWindow *document = m_services.activeDocument();
    if (!document) {
        m_services.messages.show(m_historyWindow, QMessageBox::Information, CompareTitle, NoCurrentText);
        return;
    }
    compareWithPath(entry.path, entryTitle(entry), *document);
}

void HistoryCommands::compareWithFile(DocumentWindow &document)
{
    const QString path = m_services.fileDialogs.getOpenFileName(m_parent, CompareTitle, m_services.fileFilter);
    if (!path.isEmpty())
        compareWithPath(path, path, document);
}

void HistoryCommands::compareWithPath(const QString &path, const QString &title, DocumentWindow &document)
{
    ExchClass config;
    ConfigFile file;
    if (!file.load(config, path)) {
        m_services.messages.show(m_parent, QMessageBox::Warning, CompareTitle, file.errorString());
        return;
    }
    showComparison(config, title, document);
}

void HistoryCommands::showComparison(const ExchClass &oldConfig, const QString &title, DocumentWindow &document)
{
    auto *window = new ComparisonWindow(oldConfig, title, document, m_parent);
    window->show();
    window->raise();
    window->activateWindow();
}
