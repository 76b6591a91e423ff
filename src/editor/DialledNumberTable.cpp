#include "editor/DialledNumberTable.h"

#include "editor/TrackedRecord.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordClass.h"
#include "model/RecordSlots.h"

namespace {
const QByteArray NewNumber = QByteArrayLiteral("0");
constexpr int NewVirtualPort = 0;
constexpr int DigitsPerByte = 2;

bool isDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}
} // namespace

DialledNumberTable::DialledNumberTable(RecordClass &numbers)
    : m_numbers(numbers)
{
}

int DialledNumberTable::countInUse() const
{
    int count = 0;
    for (int i = 0; i < m_numbers.Records(); ++i) {
        if (!RecordSlots::isFree(m_numbers, i))
            ++count;
    }
    return count;
}

QByteArray DialledNumberTable::fullNumber(int index) const
{
    return DialledNumbers::fullNumber(m_numbers, index);
}

DialledNumberTable::Check DialledNumberTable::check(const QString &number, int editIndex) const
{
    if (!isDigits(number))
        return Check::NotANumber;
    const QByteArray digits = number.toLatin1();
    if (!fits(digits))
        return Check::TooLong;
    for (int i = 0; i < m_numbers.Records(); ++i) {
        if (i == editIndex || !RecordSlots::isInUseAndEnabled(m_numbers, i))
            continue;
        switch (DialledNumbers::clash(fullNumber(i), digits)) {
        case DialledNumbers::Clash::SameNumber:
            return Check::SameNumber;
        case DialledNumbers::Clash::Overlapping:
            return Check::Overlapping;
        case DialledNumbers::Clash::None:
            break;
        }
    }
    return Check::Accepted;
}

bool DialledNumberTable::fits(const QByteArray &number) const
{
    const int numberCapacity = digitCapacity(FieldNames::ExtNumberA);
    if (number.size() <= NumberDigits)
        return number.size() <= numberCapacity;
    return NumberDigits <= numberCapacity && number.size() - NumberDigits <= digitCapacity(FieldNames::ExtNumberB);
}

int DialledNumberTable::digitCapacity(const QByteArray &field) const
{
    for (int i = 1; i <= m_numbers.Items(); ++i) {
        const FieldDef def = m_numbers.field(i);
        const bool digits = def.Type == FieldType::Digit || def.Type == FieldType::IntegerOrDigit;
        if (digits && def.Name.compare(field, Qt::CaseInsensitive) == 0)
            return def.Size * DigitsPerByte;
    }
    return 0;
}

void DialledNumberTable::store(TrackedRecord &record, const QByteArray &number) const
{
    if (number.size() <= NumberDigits) {
        record.setDigit(FieldNames::ExtNumberA, number);
        record.setDigit(FieldNames::ExtNumberB, QByteArray());
        record.setBoolean(FieldNames::Flag, HasPrefixBit, false);
        return;
    }
    const qsizetype prefixLength = number.size() - NumberDigits;
    record.setDigit(FieldNames::ExtNumberB, number.left(prefixLength));
    record.setDigit(FieldNames::ExtNumberA, number.mid(prefixLength));
    record.setBoolean(FieldNames::Flag, HasPrefixBit, true);
}

int DialledNumberTable::addNumber()
{
    const int index = RecordSlots::firstFree(m_numbers);
    if (index < 0)
        return -1;
    RecordSlots::takeIntoUse(m_numbers, index);
    m_numbers.SetBoolean(FieldNames::Flag, index, HasPrefixBit, false);
    m_numbers.SetBoolean(FieldNames::Flag, index, RecordSlots::EnabledBit, false);
    m_numbers.SetDigit(FieldNames::ExtNumberA, index, NewNumber);
    m_numbers.SetInteger(FieldNames::VirtualPortNo, index, NewVirtualPort);
    return index;
}

QString DialledNumberTable::PadCount(int value, int maximum)
{
    QString padded;
    if (maximum > 999 && value < 1000)
        padded += QLatin1Char('0');
    if (maximum > 99 && value < 100)
        padded += QLatin1Char('0');
    if (maximum > 9 && value < 10)
        padded += QLatin1Char('0');
    return padded + QString::number(value);
}
