#include "editor/FieldLimits.h"

#include "model/RecordClass.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int BitsPerByte = 8;
constexpr int DigitsPerByte = 2;
// SetInteger takes a 32-bit signed value.
constexpr qint64 LargestSettable = std::numeric_limits<qint32>::max();
constexpr int WidestExactSize = 3;
constexpr int DecimalBase = 10;
constexpr char16_t LastSingleByte = 0xFF;
// The dial digits a digit field stores and reads back unchanged.
const QString DialDigits = QStringLiteral("0123456789*#");

const QString NumberRule = QStringLiteral("Must be a number from 0 to %1");
const QString DigitRule = QStringLiteral("Must be at most %1 digits, each 0-9, * or #");
const QString LengthRule = QStringLiteral("Must be at most %1 characters");
const QString SingleByteRule = QStringLiteral("Must be Latin-1 characters: \"%1\" cannot be stored");
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

QString FieldLimits::numberRefusal(const RecordClass &structure, QByteArrayView name, const QString &text)
{
    const qint64 largest = largestNumber(structure, name);
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, DecimalBase);
    if (ok && value >= 0 && value <= largest)
        return {};
    return NumberRule.arg(largest);
}

QString FieldLimits::digitRefusal(const RecordClass &structure, QByteArrayView name, const QString &text)
{
    const int count = digitCount(structure, name);
    const QString digits = text.trimmed();
    const bool dialDigits = std::all_of(digits.begin(), digits.end(), [](QChar c) { return DialDigits.contains(c); });
    if (dialDigits && digits.size() <= count)
        return {};
    return DigitRule.arg(count);
}

QString FieldLimits::textRefusal(const RecordClass &structure, QByteArrayView name, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() > LastSingleByte)
            return SingleByteRule.arg(text.mid(i, text.at(i).isHighSurrogate() ? 2 : 1));
    }
    const int length = textLength(structure, name);
    if (text.size() > length)
        return LengthRule.arg(length);
    return {};
}
