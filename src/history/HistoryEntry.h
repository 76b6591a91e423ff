#pragma once

#include <QDateTime>
#include <QString>

// One configuration the history keeps: as read from an exchange, as sent to
// one, or as a file stood before an import replaced it.
struct HistoryEntry
{
    enum class Kind { Get, Send, Import };

    QString path;
    // UTC, to the millisecond.
    QDateTime time;
    // The site's folder name.
    QString site;
    Kind kind = Kind::Get;
    // Records of all nine structures; -1 when the file cannot be read.
    int recordCount = -1;

    // "get", "send" or "import", as file names and listings spell the kind.
    static QString kindName(Kind kind);
};
