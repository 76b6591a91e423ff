#include "analysis/DialledNumbers.h"

#include "analysis/FieldReader.h"
#include "model/FieldNames.h"
#include "model/RecordClass.h"

QByteArray DialledNumbers::fullNumber(const RecordClass &numbers, int index)
{
    const std::optional<QByteArray> number = FieldReader(numbers, FieldNames::ExtNumberA).digits(index);
    if (!number)
        return {};
    if (!FieldReader(numbers, FieldNames::Flag).bit(index, HasPrefixBit).value_or(false))
        return *number;
    return FieldReader(numbers, FieldNames::ExtNumberB).digits(index).value_or(QByteArray()) + *number;
}

DialledNumbers::Clash DialledNumbers::clash(const QByteArray &a, const QByteArray &b)
{
    if (a.isEmpty() || b.isEmpty())
        return Clash::None;
    if (a == b)
        return Clash::SameNumber;
    const bool overlapping = a.size() < b.size() ? b.startsWith(a) : a.startsWith(b);
    return overlapping ? Clash::Overlapping : Clash::None;
}
