#pragma once

#include <QDateTime>
#include <QString>

// One configuration the history keeps: as read from an exchange or as sent to one.
struct HistoryEntry
{
    enum class Kind { Get, Send };

    QString path;
    // UTC, to the millisecond.
    QDateTime time;
    // The site's folder name.
    QString site;
    Kind kind = Kind::Get;
    // Records of all nine structures; -1 when the file cannot be read.
    int recordCount = -1;

    // "get" or "send", as file names and listings spell the kind.
    static QString kindName(Kind kind);
};
