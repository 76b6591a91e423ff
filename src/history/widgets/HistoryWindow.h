#pragma once

#include "history/HistoryEntry.h"

#include <QDialog>
#include <QList>

#include <functional>

class HistoryStore;
class QListWidget;
class QPushButton;
class QTreeWidget;

// File → History...: the sites the history keeps configurations of, and the
// entries of the site chosen, newest first, each with its time, whether it
// was read from the exchange or sent to it, and its record count.
class HistoryWindow : public QDialog
{
    Q_OBJECT

public:
    struct Actions
    {
        // Open: the entry as a new document.
        std::function<void(const HistoryEntry &)> open;
        // Compare With Current: the entry against the active document.
        std::function<void(const HistoryEntry &)> compareWithCurrent;
    };

    HistoryWindow(const HistoryStore &store, Actions actions, QWidget *parent = nullptr);

    // Reads the history again and shows the entries of site, or of the first site.
    void showSite(const QString &site);

private:
    void showEntries();
    void updateButtons();
    // The entry selected, if any.
    const HistoryEntry *selectedEntry() const;

    const HistoryStore &m_store;
    Actions m_actions;
    QList<HistoryEntry> m_entries;
    QListWidget *m_sites;
    QTreeWidget *m_entryList;
    QPushButton *m_open;
    QPushButton *m_compare;
};
