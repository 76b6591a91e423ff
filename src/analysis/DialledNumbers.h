#pragma once

#include <QByteArray>

class RecordClass;

// The rule that keeps dialled numbers unambiguous, shared by the panel that
// refuses a clashing number and the check that finds one already stored.
// Numbers are compared as dialled in full, prefix included.
class DialledNumbers
{
public:
    static constexpr int HasPrefixBit = 1;

    enum class Clash {
        None,
        SameNumber,  // both are the same number
        Overlapping, // the shorter begins the longer, so the longer can never be dialled
    };

    // The number as dialled: the prefix followed by the last digits when the
    // record has a prefix. Empty when the record cannot be read: a record
    // without digits cannot be dialled, so it is in nobody's way.
    static QByteArray fullNumber(const RecordClass &numbers, int index);
    static Clash clash(const QByteArray &a, const QByteArray &b);
};
