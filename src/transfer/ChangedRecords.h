#pragma once

#include "transfer/RecordRef.h"

#include <QList>
#include <QString>
#include <QStringList>

class ExchClass;

// What Send Changes writes: the records of a document that differ from its
// baseline, found by the configuration comparison, in the structures a send
// writes. A record freed or taken into use is one of them. Records can only be
// written one by one where every structure keeps the baseline's layout and
// table size; otherwise the first structure that does not is named.
class ChangedRecords
{
public:
    ChangedRecords(const ExchClass &baseline, const ExchClass &document);

    // The first structure whose layout or table size differs from the baseline's; -1 when none does.
    int layoutDifference() const { return m_layoutDifference; }
    bool isEmpty() const { return m_records.isEmpty(); }
    const QList<RecordRef> &records() const { return m_records; }
    // One line a record, structure by structure:
    // "ACL 2 (Dist 1): Name "Dist 1" -> "Changed Name"; Flag 0 -> 0, 1".
    const QStringList &lines() const { return m_lines; }

    // The engineer's words for each outcome, naming the baseline as described
    // ("the configuration read from the exchange on 7 Dec 2026 10:14").
    QString layoutRefusal(const QString &baseline) const;
    static QString nothingChanged(const QString &baseline);
    static QString heading(const QString &baseline);

private:
    int m_layoutDifference = -1;
    QList<RecordRef> m_records;
    QStringList m_lines;
};
