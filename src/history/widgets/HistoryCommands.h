#pragma once

#include "history/Baseline.h"
#include "history/HistoryEntry.h"
#include "history/HistoryStore.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class Clock;
class DocumentWindow;
class ExchClass;
class FileDialogService;
class HistoryWindow;
class MessageService;
class Registry;
class QWidget;

// What the main window's menus do with the history and with comparisons:
// keeping every completed transfer's configuration, File → History...,
// File → Compare With..., and the comparison at the end of System → Compare
// With Exchange; and the baseline of each document for Send Changes.
class HistoryCommands : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        Registry &registry;
        MessageService &messages;
        FileDialogService &fileDialogs;
        const Clock &clock;
        // The open dialog's filter of configuration files.
        QString fileFilter;
        // The active document with the edit on its screen committed; null without one.
        std::function<DocumentWindow *()> activeDocument;
        // A new, empty document window with a configuration of its own.
        std::function<DocumentWindow *()> newDocument;
    };

    // The history is kept under root; parent is the main window.
    HistoryCommands(Services services, const QString &root, QWidget *parent);
    ~HistoryCommands() override;

    // Keeps a configuration just read from or sent to the exchange, which
    // becomes its baseline. A copy that cannot be written is told, after the
    // transfer's own end.
    void keep(const ExchClass &config, HistoryEntry::Kind kind);
    // A document's configuration just opened from a file: its baseline is the
    // newest kept configuration of its site with its layouts, else the file.
    void fileOpened(const ExchClass &config, const QString &path);
    // What Send Changes compares the configuration with; null when it was
    // neither read, sent nor opened from a file.
    Baseline baseline(const ExchClass &config) const { return m_baselines.value(&config); }

    // File → History...
    void showHistory();
    // File → Compare With...: the active document with a history entry of its site or with a file.
    void compareWith();

    // System → Compare With Exchange: the configuration to read the exchange
    // into, to be compared with document once the read completes.
    ExchClass *startExchangeRead(DocumentWindow &document);
    // The end of a transfer; false when it was not the exchange read.
    bool finishExchangeRead(bool completed);

private:
    HistoryWindow *historyWindow();
    void openEntry(const HistoryEntry &entry);
    void compareEntry(const HistoryEntry &entry);
    void compareWithFile(DocumentWindow &document);
    // Opens the comparison window, or tells why path cannot be read.
    void compareWithPath(const QString &path, const QString &title, DocumentWindow &document);
    void showComparison(const ExchClass &oldConfig, const QString &title, DocumentWindow &document);

    Services m_services;
    QWidget *m_parent;
    HistoryStore m_store;
    QPointer<HistoryWindow> m_historyWindow;
    std::unique_ptr<ExchClass> m_exchangeRead;
    QPointer<DocumentWindow> m_comparedDocument;
    // By the documents' configurations, which live as long as the program.
    QHash<const ExchClass *, Baseline> m_baselines;
};
