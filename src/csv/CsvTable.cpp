#include "csv/CsvTable.h"

#include "analysis/FieldValueReader.h"
#include "model/ExchClass.h"
#include "model/FieldLimits.h"
#include "model/RecordClass.h"

#include <algorithm>
#include <limits>

namespace {
bool isWholeNumber(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The value of a whole number, or -1 above the largest.
qint64 numberValue(const QString &text, qint64 largest)
{
    qint64 value = 0;
    for (const QChar c : text) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > largest)
            return -1;
    }
    return value;
}

QString joined(const QStringList &parts)
{
    return parts.join(CsvTable::Separator);
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

FieldValue::Kind kindOf(qint16 type)
{
    switch (type) {
    case FieldType::ReadOnlyInteger:
    case FieldType::Integer:
        return FieldValue::Kind::Integers;
    case FieldType::Boolean:
        return FieldValue::Kind::Bits;
    case FieldType::String:
        return FieldValue::Kind::Text;
    case FieldType::Digit:
        return FieldValue::Kind::Digits;
    case FieldType::IntegerOrDigit:
        return FieldValue::Kind::IntegersAndDigits;
    default:
        return FieldValue::Kind::Raw;
    }
}
} // namespace

int CsvTable::memberNamed(const QString &name)
{
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        if (name.compare(QLatin1String(ExchClass::info(member).name), Qt::CaseInsensitive) == 0)
            return member;
    }
    return -1;
}

QString CsvTable::memberNames()
{
    QStringList names;
    for (int member = 0; member < ExchClass::MemberCount; ++member)
        names.append(QLatin1String(ExchClass::info(member).name));
    return names.join(QStringLiteral(", "));
}

// A field whose name is one of the table's own columns would be ambiguous in
// the header, and one of a type no accessor reads holds nothing to edit.
CsvTable::CsvTable(const ExchClass &config, int member)
    : m_structure(config.member(member))
    , m_member(member)
    , m_named(FieldValueReader::namedFields(m_structure))
{
    for (int i = 1; i < m_named.size(); ++i) {
        const FieldDef def = m_structure.field(i);
        const QString name = QString::fromLatin1(def.Name);
        if (!m_named.at(i) || kindOf(def.Type) == FieldValue::Kind::Raw
            || name.compare(RecordColumn, Qt::CaseInsensitive) == 0
            || name.compare(UsedColumn, Qt::CaseInsensitive) == 0)
            continue;
        m_columns.append({i, def, name, BitNames::of(config, member, def.Name)});
    }
}

QStringList CsvTable::header() const
{
    QStringList names{RecordColumn, UsedColumn};
    for (const Column &column : m_columns)
        names.append(column.name);
    return names;
}

int CsvTable::columnNamed(const QString &header) const
{
    if (FieldLimits::firstWideCharacter(header) >= 0)
        return -1;
    const int field = m_structure.fieldIndex(header.toLatin1());
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).field == field)
            return int(i);
    }
    return -1;
}

FieldValue CsvTable::value(const FieldValueReader &reader, const Column &column, int rec) const
{
    return reader.read(m_structure, m_named, column.field, rec);
}

QString CsvTable::cell(const Column &column, const FieldValue &value) const
{
    QStringList parts;
    switch (value.kind) {
    case FieldValue::Kind::Integers:
    case FieldValue::Kind::IntegersAndDigits:
        for (int n : value.numbers)
            parts.append(QString::number(n));
        return joined(parts);
    case FieldValue::Kind::Bits:
        for (int bit : value.numbers) {
            const QString name = column.bitNames.name(bit);
            parts.append(name.isEmpty() ? QString::number(bit) : name);
        }
        return joined(parts);
    case FieldValue::Kind::Text:
        return QString::fromLatin1(value.bytes);
    case FieldValue::Kind::Digits:
        return joined(value.digits);
    case FieldValue::Kind::Raw:
    case FieldValue::Kind::Unreadable:
        break;
    }
    return QString();
}

std::optional<FieldValue> CsvTable::parse(const Column &column, const QString &cell, QString &reason) const
{
    switch (kindOf(column.def.Type)) {
    case FieldValue::Kind::Integers:
    case FieldValue::Kind::IntegersAndDigits:
        return parseNumbers(column, cell.split(Separator), reason);
    case FieldValue::Kind::Digits:
        return parseDigits(column, cell.split(Separator), reason);
    case FieldValue::Kind::Text:
        return parseText(column, cell, reason);
    case FieldValue::Kind::Bits:
        return parseBits(column, cell, reason);
    case FieldValue::Kind::Raw:
    case FieldValue::Kind::Unreadable:
        break;
    }
    reason = QStringLiteral("the field cannot be written");
    return std::nullopt;
}

std::optional<FieldValue> CsvTable::parseNumbers(const Column &column, const QStringList &parts, QString &reason) const
{
    const int count = FieldLimits::elements(column.def);
    if (count > 1 && parts.size() != count) {
        reason = QStringLiteral("must be %1 numbers separated by ';', not %2").arg(count).arg(parts.size());
        return std::nullopt;
    }
    const qint64 largest = FieldLimits::largestNumber(column.def);
    FieldValue value;
    value.kind = kindOf(column.def.Type);
    for (const QString &part : parts) {
        const QString text = part.trimmed();
        const qint64 number = isWholeNumber(text) ? numberValue(text, largest) : -1;
        if (number < 0 || parts.size() != count) {
            reason = QStringLiteral("must be a whole number from 0 to %1, not %2")
                         .arg(largest)
                         .arg(quoted(count > 1 ? text : parts.join(Separator)));
            return std::nullopt;
        }
        value.numbers.append(int(number));
    }
    return value;
}

std::optional<FieldValue> CsvTable::parseDigits(const Column &column, const QStringList &parts, QString &reason) const
{
    const int count = FieldLimits::elements(column.def);
    if (count > 1 && parts.size() != count) {
        reason = QStringLiteral("must be %1 digit strings separated by ';', not %2").arg(count).arg(parts.size());
        return std::nullopt;
    }
    const int capacity = FieldLimits::digitCount(column.def);
    FieldValue value;
    value.kind = FieldValue::Kind::Digits;
    for (const QString &part : parts) {
        const QString text = part.trimmed();
        if (!FieldLimits::isDialDigits(text) || text.size() > capacity || parts.size() != count) {
            reason = QStringLiteral("must be at most %1 dial digits (0-9, * and #), not %2")
                         .arg(capacity)
                         .arg(quoted(count > 1 ? text : parts.join(Separator)));
            return std::nullopt;
        }
        value.digits.append(text);
    }
    return value;
}

std::optional<FieldValue> CsvTable::parseText(const Column &column, const QString &cell, QString &reason) const
{
    const qsizetype wide = FieldLimits::firstWideCharacter(cell);
    const qsizetype nul = cell.indexOf(QChar(u'\0'));
    if (wide >= 0 && (nul < 0 || wide < nul)) {
        reason = QStringLiteral("must be Latin-1 characters: \"%1\" cannot be stored")
                     .arg(cell.mid(wide, cell.at(wide).isHighSurrogate() ? 2 : 1));
        return std::nullopt;
    }
    if (nul >= 0) {
        reason = QStringLiteral("must not hold a NUL character, which would end the text");
        return std::nullopt;
    }
    const int length = FieldLimits::textLength(column.def);
    if (cell.size() > length) {
        reason = QStringLiteral("must be at most %1 characters, not %2").arg(length).arg(cell.size());
        return std::nullopt;
    }
    FieldValue value;
    value.kind = FieldValue::Kind::Text;
    value.bytes = cell.toLatin1();
    return value;
}

std::optional<FieldValue> CsvTable::parseBits(const Column &column, const QString &cell, QString &reason) const
{
    const int bitCount = m_structure.BitCount(column.def.Name);
    FieldValue value;
    value.kind = FieldValue::Kind::Bits;
    for (const QString &part : cell.split(Separator)) {
        const QString token = part.trimmed();
        if (token.isEmpty())
            continue;
        std::optional<int> bit;
        if (isWholeNumber(token)) {
            const qint64 number = numberValue(token, std::numeric_limits<int>::max());
            if (number >= 0)
                bit = int(number);
        } else {
            bit = column.bitNames.bit(token);
            if (!bit) {
                reason = column.bitNames.isEmpty()
                    ? QStringLiteral("must be bit numbers separated by ';', not %1").arg(quoted(token))
                    : QStringLiteral("%1 is neither a bit number nor the name of one").arg(quoted(token));
                return std::nullopt;
            }
        }
        if (!bit || *bit >= bitCount) {
            reason = QStringLiteral("%1 is not one of the field's bits 0 to %2").arg(quoted(token)).arg(bitCount - 1);
            return std::nullopt;
        }
        value.numbers.append(*bit);
    }
    std::sort(value.numbers.begin(), value.numbers.end());
    value.numbers.erase(std::unique(value.numbers.begin(), value.numbers.end()), value.numbers.end());
    return value;
}

bool CsvTable::sameValue(const FieldValue &a, const FieldValue &b)
{
    if (a.kind != b.kind)
        return false;
    switch (a.kind) {
    case FieldValue::Kind::Integers:
    case FieldValue::Kind::IntegersAndDigits:
    case FieldValue::Kind::Bits:
        return a.numbers == b.numbers;
    case FieldValue::Kind::Text:
        return a.bytes == b.bytes;
    case FieldValue::Kind::Digits:
        return a.digits == b.digits;
    case FieldValue::Kind::Raw:
    case FieldValue::Kind::Unreadable:
        break;
    }
    return false;
}

void CsvTable::write(RecordClass &structure, int rec, const Column &column, const FieldValue &from,
                     const FieldValue &to)
{
    const QByteArray &name = column.def.Name;
    switch (to.kind) {
    case FieldValue::Kind::Integers:
    case FieldValue::Kind::IntegersAndDigits:
        for (qsizetype k = 0; k < to.numbers.size(); ++k) {
            if (to.numbers.at(k) != from.numbers.value(k))
                structure.SetInteger(name, rec, to.numbers.at(k), int(k));
        }
        return;
    case FieldValue::Kind::Digits:
        for (qsizetype k = 0; k < to.digits.size(); ++k) {
            if (to.digits.at(k) != from.digits.value(k))
                structure.SetDigit(name, rec, to.digits.at(k).toLatin1(), int(k));
        }
        return;
    case FieldValue::Kind::Text:
        structure.SetString(name, rec, to.bytes);
        return;
    case FieldValue::Kind::Bits: {
        QList<int> bits = from.numbers + to.numbers;
        std::sort(bits.begin(), bits.end());
        bits.erase(std::unique(bits.begin(), bits.end()), bits.end());
        for (int bit : bits) {
            const bool set = to.numbers.contains(bit);
            if (set != from.numbers.contains(bit))
                structure.SetBoolean(name, rec, bit, set);
        }
        return;
    }
    case FieldValue::Kind::Raw:
    case FieldValue::Kind::Unreadable:
        return;
    }
}
