#include "FieldLimits.h"

#include "RecordClass.h"

#include <limits>

namespace {
constexpr int BitsPerByte = 8;
constexpr int DigitsPerByte = 2;
// SetInteger takes a 32-bit signed value.
constexpr qint64 LargestSettable = std::numeric_limits<qint32>::max();
constexpr int WidestExactSize = 3;
} // namespace

FieldDef FieldLimits::find(const RecordClass &structure, QByteArrayView name)
{
    for (int i = 1; i <= structure.Items(); ++i) {
        const FieldDef field = structure.field(i);
        if (QByteArrayView(field.Name).compare(name, Qt::CaseInsensitive) == 0)
            return field;
    }
    return {};
}

int FieldLimits::elements(const RecordClass &structure, QByteArrayView name)
{
    const FieldDef field = find(structure, name);
    return field.Type == FieldType::None ? 0 : qMax<int>(field.Items, 1);
}

qint64 FieldLimits::largestNumber(const RecordClass &structure, QByteArrayView name)
{
    const int size = find(structure, name).Size;
    if (size <= 0)
        return 0;
    if (size > WidestExactSize)
        return LargestSettable;
    return (qint64(1) << (BitsPerByte * size)) - 1;
}

int FieldLimits::textLength(const RecordClass &structure, QByteArrayView name)
{
    return qMax(find(structure, name).Items - 1, 0);
}

int FieldLimits::digitCount(const RecordClass &structure, QByteArrayView name)
{
    return qMax(find(structure, name).Size * DigitsPerByte, 0);
}
