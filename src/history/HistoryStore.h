#pragma once

#include "history/HistoryEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class ExchClass;
class Registry;

// Every configuration read from or sent to an exchange, kept per site as
// <root>/<site>/<UTC time>-get.QBF or -send.QBF, with the newest few of
// each site kept. Only files named so are ever listed or removed.
class HistoryStore
{
public:
    HistoryStore(const QString &root, const Clock &clock, int keep);

    // AppDataLocation + "/history": the program and quillbridge-cli share it.
    static QString defaultRoot();
    // How many entries of each site the settings keep; at least one.
    static int keepSetting(const Registry &registry);
    // The folder of a configuration's site: the System record's name made
    // safe; "unnamed" for a configuration without one.
    static QString siteName(const ExchClass &config);
    // Any text made safe as a folder name the way siteName makes a name safe:
    // letters, digits, '-' and '.' kept, every other run of characters one
    // '_', no leading dot. Applied to a folder name it changes nothing.
    static QString safeName(const QString &text);

    // Keeps config under its site, written whole or not at all, then removes
    // that site's oldest entries beyond the number kept.
    bool add(const ExchClass &config, HistoryEntry::Kind kind);
    // The file the last successful add() wrote.
    QString lastPath() const { return m_lastPath; }
    // How many entries of each site the next add() keeps; at least one.
    void setKeep(int keep);

    QString root() const { return m_root; }
    // The sites' folder names, sorted.
    QStringList sites() const;
    // Newest first; each file is read for its record count unless told not to.
    QList<HistoryEntry> entries(const QString &site, bool countRecords = true) const;
    QList<HistoryEntry> entries() const;

    QString errorString() const { return m_error; }

private:
    QList<HistoryEntry> list(const QString &site, bool countRecords) const;
    void prune(const QString &site, const QString &kept);
    bool fail(const QString &message);

    QString m_root;
    const Clock &m_clock;
    int m_keep = 1;
    QString m_lastPath;
    QString m_error;
};
