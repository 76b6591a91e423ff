#include "model/FieldLimits.h"

#include "model/RecordClass.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int BitsPerByte = 8;
constexpr int DigitsPerByte = 2;
// SetInteger takes a 32-bit signed value; fields up to three bytes hold every value of their size.
constexpr qint64 LargestSettable = std::numeric_limits<qint32>::max();
constexpr int WidestExactSize = 3;
constexpr int DecimalBase = 10;
constexpr char16_t LastSingleByte = 0xFF;
const QString DialDigits = QStringLiteral("0123456789*#");

const QString NumberRule = QStringLiteral("Must be a number from 0 to %1");
const QString DigitRule = QStringLiteral("Must be at most %1 digits, each 0-9, * or #");
const QString LengthRule = QStringLiteral("Must be at most %1 characters");
const QString SingleByteRule = QStringLiteral("Must be Latin-1 characters: \"%1\" cannot be stored");
const QString NulRule = QStringLiteral("Must not hold a NUL character, which would end the text");
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

int FieldLimits::elements(const FieldDef &field)
{
    return field.Type == FieldType::None ? 0 : qMax<int>(field.Items, 1);
}

qint64 FieldLimits::largestNumber(const FieldDef &field)
{
    if (field.Size <= 0)
        return 0;
    if (field.Size > WidestExactSize)
        return LargestSettable;
    return (qint64(1) << (BitsPerByte * field.Size)) - 1;
}

int FieldLimits::textLength(const FieldDef &field)
{
    return qMax(field.Items - 1, 0);
}

int FieldLimits::digitCount(const FieldDef &field)
{
    return qMax(field.Size * DigitsPerByte, 0);
}

bool FieldLimits::isDialDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return DialDigits.contains(c); });
}

qsizetype FieldLimits::firstWideCharacter(QStringView text)
{
    const auto wide = std::find_if(text.begin(), text.end(), [](QChar c) { return c.unicode() > LastSingleByte; });
    return wide == text.end() ? -1 : wide - text.begin();
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
    if (isDialDigits(digits) && digits.size() <= count)
        return {};
    return DigitRule.arg(count);
}

QString FieldLimits::textRefusal(const RecordClass &structure, QByteArrayView name, const QString &text)
{
    const qsizetype wide = firstWideCharacter(text);
    if (wide >= 0)
        return SingleByteRule.arg(text.mid(wide, text.at(wide).isHighSurrogate() ? 2 : 1));
    // The exchange reads a text up to its first NUL: what follows would be lost unseen.
    if (text.contains(QChar(u'\0')))
        return NulRule;
    const int length = textLength(structure, name);
    if (text.size() > length)
        return LengthRule.arg(length);
    return {};
}
