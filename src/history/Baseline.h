#pragma once

#include "history/HistoryEntry.h"

#include <QDateTime>
#include <QString>

#include <memory>

class ExchClass;
class HistoryStore;

// What Send Changes compares a document with: the configuration it was last
// read as from the exchange or last sent as, or a file, with where and when
// it came from. Copies share one configuration, which nothing changes.
class Baseline
{
public:
    enum class Source { ReadFromExchange, SentToExchange, File };

    // No baseline.
    Baseline() = default;
    Baseline(const ExchClass &config, Source source, const QDateTime &time, const QString &path = QString());

    // A configuration just read or sent, as the history keeps it.
    static Baseline fromTransfer(const ExchClass &config, HistoryEntry::Kind kind, const QDateTime &time,
                                 const QString &path = QString());
    // A file's configuration, dated by the file's last change.
    static Baseline fromFile(const ExchClass &config, const QString &path);
    // For a configuration just opened from a file: the newest history entry of
    // its site whose layouts are the file's, else the file as opened.
    static Baseline forOpenedFile(const HistoryStore &history, const ExchClass &opened, const QString &path);
    // Whether every structure has the same layout and table size in both.
    static bool sameLayouts(const ExchClass &a, const ExchClass &b);

    bool isNull() const { return !m_config; }
    const ExchClass &configuration() const { return *m_config; }
    Source source() const { return m_source; }
    QDateTime time() const { return m_time; }
    QString path() const { return m_path; }
    // "the configuration read from the exchange on 7 Dec 2026 10:14",
    // "the file /home/me/site.QBF saved on 7 Dec 2026 10:14", in local time.
    QString description() const;

private:
    std::shared_ptr<const ExchClass> m_config;
    Source m_source = Source::File;
    QDateTime m_time;
    QString m_path;
};
