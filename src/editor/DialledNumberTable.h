#pragma once

#include "analysis/DialledNumbers.h"

#include <QByteArray>
#include <QString>

class RecordClass;
class TrackedRecord;

// The dialled-number table apart from its list: the full number of a record,
// the rules that keep every enabled number unambiguous, and how a number is
// stored as a prefix and its last four digits.
class DialledNumberTable
{
public:
    static constexpr int HasPrefixBit = DialledNumbers::HasPrefixBit;
    // Numbers longer than this keep their leading digits as a prefix.
    static constexpr int NumberDigits = 4;

    enum class Check {
        Accepted,
        NotANumber,  // not the digits 0-9
        TooLong,     // more digits than the record holds
        SameNumber,  // another enabled record has it
        Overlapping, // it begins another enabled number, or one begins it
    };

    explicit DialledNumberTable(RecordClass &numbers);

    int countInUse() const;
    // The number as dialled: the prefix followed by the last digits when the
    // record has a prefix.
    QByteArray fullNumber(int index) const;
    // Whether the number may be stored in record editIndex.
    Check check(const QString &number, int editIndex) const;
    // Stores an accepted number, splitting a long one into prefix and last digits.
    void store(TrackedRecord &record, const QByteArray &number) const;
    // Takes the lowest free slot as a new, disabled number "0" ringing
    // virtual port 0; -1 when every slot is in use.
    int addNumber();

    // The value with leading zeros against the maximum: 5 against 250 is "005".
    static QString PadCount(int value, int maximum);

private:
    bool fits(const QByteArray &number) const;
    int digitCapacity(const QByteArray &field) const;

    RecordClass &m_numbers;
};
