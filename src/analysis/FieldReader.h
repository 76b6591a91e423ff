#pragma once

#include "model/FieldDef.h"

#include <QByteArray>
#include <QList>

#include <optional>

class RecordClass;

// Reads one field of a structure through its named accessors, but only where
// the record holds the field's bytes: a check that runs after every edit must
// pass over a damaged or short record without filling the debug window with
// diagnostics. An empty answer means the field or the record cannot say.
class FieldReader
{
public:
    FieldReader(const RecordClass &structure, const QByteArray &name);

    const QByteArray &name() const { return m_name; }
    bool isInteger() const;
    bool isBits() const;
    bool isText() const;
    bool isDigits() const;
    // Elements of an array field: 1 for a plain field, 0 for a missing one.
    int elements() const;

    std::optional<int> integer(int rec, int k = 0) const;
    std::optional<QByteArray> digits(int rec, int k = 0) const;
    std::optional<QByteArray> text(int rec) const;
    // Bit n of a bit set, positions above 7 in the following bytes.
    std::optional<bool> bit(int rec, int n) const;
    // The bits set, ascending; none when the record cannot be read.
    QList<int> bits(int rec) const;

private:
    // The record's length in bytes; -1 for an index outside the table.
    qsizetype recordLength(int rec) const;
    int elementStart(int k) const;

    const RecordClass &m_structure;
    QByteArray m_name;
    FieldDef m_field;
};
