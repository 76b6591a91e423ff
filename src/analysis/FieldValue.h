#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One field of one record as the named accessors read it: what dump lists
// and what a comparison shows on each side of a change.
struct FieldValue
{
    enum class Kind { Integers, Bits, Text, Digits, IntegersAndDigits, Raw, Unreadable };

    Kind kind = Kind::Raw;
    // Integers: one per element. Bits: the numbers of the bits set.
    QList<int> numbers;
    // Digits: one string per element.
    QStringList digits;
    // Text: the text without its padding. Bits and Raw: the field's bytes.
    QByteArray bytes;
    // Unreadable: the first diagnostic the read raised.
    QString error;
    // The field's length in the layout, which decides how bits are shown.
    int byteLength = 0;

    static FieldValue raw(const QByteArray &bytes);

    // The value as dump's text listing shows it: `"Dist 1"`, `bits 0, 7`, `raw FF FF`.
    QString text() const;

    bool operator==(const FieldValue &) const = default;
};
