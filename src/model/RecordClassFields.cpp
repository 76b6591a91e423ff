#include "model/RecordClass.h"

#include "model/FieldFunctions.h"
#include "model/RecordClassParts.h"

#include <limits>

using namespace RecordClassParts;

namespace {
constexpr int BitsPerByte = 8;
constexpr char DigitReadTable[] = "x1234567890*#xx+";

quint8 digitNibble(char c)
{
    switch (c) {
    case '0':
        return 10;
    case '*':
        return 11;
    case '#':
        return 12;
    case 'A':
        return 13;
    case 'B':
        return 14;
    case '+':
        return 15;
    default:
        return c >= '1' && c <= '9' ? quint8(c - '0') : 0;
    }
}
} // namespace

// ---- Field resolution ----------------------------------------------------

bool RecordClass::locate(const char *operation, QByteArrayView name, int rec, int k, Check check, Located &out) const
{
    const FieldDef *field = find(name);
    // Left null only when the name is unknown, which some readers answer differently.
    out.field = field;
    if (!field) {
        error(operation, text(name) + QStringLiteral(" not found in ") + text(m_name) + QStringLiteral(")"));
        return false;
    }

    const auto typeIs = [&](std::initializer_list<qint16> types) {
        for (qint16 t : types) {
            if (field->Type == t)
                return true;
        }
        return false;
    };
    const char *kind = nullptr;
    bool typeOk = false;
    switch (check) {
    case Check::Boolean:
        kind = "Boolean";
        typeOk = typeIs({FieldType::Boolean});
        break;
    case Check::Integer:
        kind = "Integer";
        typeOk = typeIs({FieldType::ReadOnlyInteger, FieldType::Integer, FieldType::IntegerOrDigit});
        break;
    case Check::SetInteger:
        kind = "Integer";
        typeOk = typeIs({FieldType::Integer, FieldType::IntegerOrDigit});
        break;
    case Check::String:
        kind = "String";
        typeOk = typeIs({FieldType::String});
        break;
    case Check::Digit:
    case Check::SetDigit:
        kind = "Digit";
        typeOk = typeIs({FieldType::Digit, FieldType::IntegerOrDigit});
        break;
    }
    if (!typeOk) {
        error(operation,
              text(name) + QStringLiteral(" is not type ") + QLatin1String(kind) + QStringLiteral(" (is a Type ")
                  + number(field->Type) + QStringLiteral(")"));
        return false;
    }
    if (!checkRecordIndex(operation, rec))
        return false;

    out.record = &m_recordTable[rec];
    out.pos = (k > 0 && k < field->Items) ? field->StartPosn + field->Size * k : field->StartPosn;
    return true;
}

bool RecordClass::checkWritable(const char *operation, int rec, int pos, int length) const
{
    // A write outside the record would shift its later bytes or grow it,
    // silently moving every field after it; refuse it instead.
    const qsizetype recordLength = m_recordTable[rec].size();
    if (pos >= 1 && length >= 0 && pos + qsizetype(length) - 1 <= recordLength)
        return true;
    error(operation,
          QStringLiteral("Start Posn (") + number(pos) + QStringLiteral(",") + number(length)
              + QStringLiteral(") greater than record length ( ") + number(recordLength) + QStringLiteral(")"));
    return false;
}

void RecordClass::replaceBytes(int rec, int pos, const QByteArray &bytes)
{
    if (Mid(m_recordTable[rec], pos, bytes.size()) == bytes)
        return;
    recordChanging(rec);
    m_recordTable[rec].replace(pos - 1, bytes.size(), bytes);
    touch();
}

// ---- Readers -------------------------------------------------------------

bool RecordClass::GetBoolean(QByteArrayView name, int rec, int bit, int k) const
{
    Located at;
    if (!locate("GetBoolean", name, rec, k, Check::Boolean, at))
        return false;
    const qsizetype length = at.record->size();
    if (at.pos < 1 || at.pos > length) {
        error("GetBoolean",
              QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(") greater than record length ( ")
                  + number(length) + QStringLiteral(")"));
        return false;
    }
    if (bit < 0 || bit > 7)
        return false;
    return (quint8(at.record->at(at.pos - 1)) >> bit) & 1;
}

bool RecordClass::GetBit(QByteArrayView name, int rec, int n) const
{
    Located at;
    if (!locate("GetBit", name, rec, 0, Check::Boolean, at))
        return false;
    const qsizetype length = at.record->size();
    if (at.pos < 1 || at.pos > length) {
        error("GetBit",
              QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(") greater than record length ( ")
                  + number(length) + QStringLiteral(")"));
        return false;
    }
    if (n < 0 || n / 8 >= at.field->byteLength())
        return false;
    const qsizetype index = at.pos + n / 8;
    if (index > length)
        return false;
    return (quint8(at.record->at(index - 1)) >> (n % 8)) & 1;
}

QList<int> RecordClass::GetBits(QByteArrayView name, int rec) const
{
    QList<int> bits;
    Located at;
    if (!locate("GetBit", name, rec, 0, Check::Boolean, at))
        return bits;
    const qsizetype length = at.record->size();
    if (at.pos < 1 || at.pos > length) {
        error("GetBit",
              QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(") greater than record length ( ")
                  + number(length) + QStringLiteral(")"));
        return bits;
    }
    // A layout may claim far more bytes than the record holds; only those
    // that are there can have bits set.
    const qsizetype bytes = qMin<qsizetype>(at.field->byteLength(), length - at.pos + 1);
    for (qsizetype i = 0; i < bytes; ++i) {
        const quint8 b = quint8(at.record->at(at.pos - 1 + i));
        for (int bit = 0; bit < BitsPerByte; ++bit) {
            if ((b >> bit) & 1)
                bits.append(int(i * BitsPerByte + bit));
        }
    }
    return bits;
}

int RecordClass::BitCount(QByteArrayView name) const
{
    const FieldDef *field = find(name);
    if (!field)
        return 0;
    return int(qMin<qint64>(qint64(field->byteLength()) * BitsPerByte, std::numeric_limits<int>::max()));
}

int RecordClass::GetInteger(QByteArrayView name, int rec, int k) const
{
    Located at;
    if (!locate("GetInteger", name, rec, k, Check::Integer, at))
        return 0;
    const qsizetype length = at.record->size();
    if (at.pos < 1 || at.pos + at.field->Size > length + 1) {
        error("GetInteger",
              QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(",") + number(at.field->Size)
                  + QStringLiteral(") greater than record length ( ") + number(length) + QStringLiteral(")"));
        return 0;
    }
    // Stored values are unsigned; a two-byte value above 32767 comes back as
    // its unsigned value rather than wrapping negative.
    return int(PInt(*at.record, at.pos, at.field->Size));
}

QByteArray RecordClass::GetString(QByteArrayView name, int rec) const
{
    Located at;
    if (!locate("GetString", name, rec, 0, Check::String, at))
        return at.field ? QByteArray() : QByteArrayLiteral("No String");
    const qsizetype length = at.record->size();
    const FieldDef &f = *at.field;
    if (f.StartPosn < 1 || f.StartPosn + f.Size >= length) {
        error("GetString",
              QStringLiteral("Start Posn (") + number(f.StartPosn) + QStringLiteral(",") + number(f.Size)
                  + QStringLiteral(") greater than record length ( ") + number(length) + QStringLiteral(")"));
        return {};
    }
    return CString(*at.record, f.StartPosn, f.Items);
}

QByteArray RecordClass::GetDigit(QByteArrayView name, int rec, int k) const
{
    Located at;
    if (!locate("GetDigit", name, rec, k, Check::Digit, at))
        return at.field ? QByteArray() : QByteArrayLiteral("No Digits");
    const qsizetype length = at.record->size();
    const int size = at.field->Size;
    if (at.pos < 1 || at.pos + size >= length) {
        error("GetDigit",
              QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(",") + number(size)
                  + QStringLiteral(") greater than record length ( ") + number(length) + QStringLiteral(")"));
        return {};
    }
    QByteArray digits;
    for (int i = size - 1; i >= 0; --i) {
        const quint8 b = quint8(at.record->at(at.pos - 1 + i));
        for (quint8 nibble : {quint8(b >> 4), quint8(b & 0x0F)}) {
            if (nibble != 0)
                digits += DigitReadTable[nibble];
        }
    }
    return digits;
}

// ---- Writers -------------------------------------------------------------

void RecordClass::SetBoolean(QByteArrayView name, int rec, int bit, bool value, int k, bool *changed)
{
    Located at;
    if (!locate("SetBoolean", name, rec, k, Check::Boolean, at))
        return;
    // Only the one byte holding the bit changes, so only it must lie inside the record.
    const int index = bit >= 0 ? at.pos + bit / 8 : 0;
    if (!checkWritable("SetBoolean", rec, index, 1))
        return;
    // Bits above 7 reach the following bytes, so a bit set spans its whole field.
    const quint8 mask = quint8(1u << (bit % 8));
    const quint8 old = quint8(m_recordTable[rec].at(index - 1));
    const quint8 updated = value ? (old | mask) : (old & ~mask);
    if (updated == old)
        return;
    if (changed)
        *changed = true;
    recordChanging(rec);
    m_recordTable[rec][index - 1] = char(updated);
    touch();
}

void RecordClass::ClearAllBoolean(QByteArrayView name, int rec, int k)
{
    Located at;
    if (!locate("ClearAllBoolean", name, rec, k, Check::Boolean, at))
        return;
    if (!checkWritable("ClearAllBoolean", rec, at.pos, at.field->Size))
        return;
    replaceBytes(rec, at.pos, QByteArray(at.field->Size, '\0'));
}

void RecordClass::SetInteger(QByteArrayView name, int rec, qint32 value, int k, bool *changed)
{
    Located at;
    if (!locate("SetInteger", name, rec, k, Check::SetInteger, at))
        return;
    if (!checkWritable("SetInteger", rec, at.pos, at.field->Size))
        return;
    const QByteArray bytes = EVal(value, at.field->Size);
    if (changed && Mid(m_recordTable[rec], at.pos, bytes.size()) != bytes)
        *changed = true;
    replaceBytes(rec, at.pos, bytes);
}

void RecordClass::SetString(QByteArrayView name, int rec, const QByteArray &newText, bool *changed)
{
    Located at;
    if (!locate("SetString", name, rec, 0, Check::String, at))
        return;
    const FieldDef &f = *at.field;
    if (newText.size() >= f.Items) {
        error("SetString",
              QStringLiteral("New Data Len (") + number(newText.size())
                  + QStringLiteral(") greater than field length ( ") + number(f.Items) + QStringLiteral(")"));
        return;
    }
    if (!checkWritable("SetString", rec, f.StartPosn, f.Items))
        return;
    if (changed && CString(m_recordTable[rec], f.StartPosn, f.Items) != newText)
        *changed = true;
    replaceBytes(rec, f.StartPosn, newText + QByteArray(f.Items - newText.size(), '\0'));
}

void RecordClass::SetDigit(QByteArrayView name, int rec, const QByteArray &digits, int k, bool *changed)
{
    // The first digit field of the name, even behind a field of another type.
    const int index = name.isEmpty() ? firstUnnamed(true) : m_digitFieldIndex.value(foldedName(name), 0);
    const FieldDef *field = index > 0 ? &m_fields[index] : nullptr;
    if (!field || !checkRecordIndex("SetDigit", rec))
        return;
    const int size = field->Size;
    const int pos = (k > 0 && k < field->Items) ? field->StartPosn + size * k : field->StartPosn;
    const qsizetype length = m_recordTable[rec].size();
    if (pos < 1 || pos + size >= length) {
        error("SetDigit",
              QStringLiteral("Start Posn (") + number(pos) + QStringLiteral(",") + number(size)
                  + QStringLiteral(") greater than record length ( ") + number(length) + QStringLiteral(")"));
        return;
    }
    if (digits.size() > 2 * size) {
        error("SetDigit", QStringLiteral("Number being stored greater than field size"));
        return;
    }
    // The last digit is the low nibble of the first byte; unused leading
    // nibbles stay 0, which reads back as no digit.
    QByteArray packed(size, '\0');
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const qsizetype fromEnd = digits.size() - 1 - i;
        const quint8 nibble = digitNibble(digits[i]);
        packed[fromEnd / 2] = char(quint8(packed[fromEnd / 2]) | (fromEnd % 2 ? nibble << 4 : nibble));
    }
    if (changed && Mid(m_recordTable[rec], pos, size) != packed)
        *changed = true;
    replaceBytes(rec, pos, packed);
}
