#pragma once

#include <QByteArray>

// Type codes of a field; they travel in definition packets and files.
namespace FieldType {
constexpr qint16 None = 0;
constexpr qint16 ReadOnlyInteger = 1;
constexpr qint16 Integer = 2;
constexpr qint16 Boolean = 3;
constexpr qint16 String = 4;
constexpr qint16 Digit = 6;
constexpr qint16 IntegerOrDigit = 8;
} // namespace FieldType

// One field of a structure's layout. Element k starts at StartPosn + Size * k.
struct FieldDef
{
    QByteArray Name;
    qint16 Type = FieldType::None;
    qint16 Size = 0;
    qint16 Items = 0;
    qint16 StartPosn = 0;

    // Bytes the field occupies: Items elements of Size bytes, at least one.
    int byteLength() const { return int(Size) * qMax<int>(Items, 1); }

    bool operator==(const FieldDef &) const = default;
};
