#include "RecordClass.h"

#include "DebugLog.h"
#include "FieldFunctions.h"
#include "QbfReader.h"
#include "QbfWriter.h"
#include "RecordJournal.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {
// Packet layout of a structure definition (1-based positions).
constexpr int DefSequencePos = 4;
constexpr int DefLengthPos = 2;
constexpr int DefPortIdPos = 6;
constexpr int DefStructSizePos = 8;
constexpr int DefNamePos = 10;
constexpr int DefNameLength = 16;
constexpr int DefItemsPos = 26;
constexpr int DefRecordsPos = 28;
constexpr int DefFirstFieldPos = 30;
constexpr int DefFieldLength = 22;
constexpr int DefFieldNameOffset = 2;
constexpr int DefFieldNameLength = 16;
constexpr int DefFieldItemsOffset = 18;
constexpr int DefFieldTypeOffset = 20;

// Record packets: a 7-byte head (code, length, sequence, index) and a 4-byte trailer.
constexpr int PacketIndexPos = 6;
constexpr int PacketHeadLength = 7;
constexpr int PacketTrailerLength = 4;
constexpr int MinPacketLength = 7;

constexpr char BlankByte = char(0xFF);
constexpr int BitsPerByte = 8;
constexpr char DigitReadTable[] = "x1234567890*#xx+";
const QByteArray NullFieldName = QByteArrayLiteral("NULL");

// Smallest file image of a field entry (empty name, four integers) and of a record.
constexpr int MinFieldEntryBytes = 10;
constexpr int MinRecordBytes = 2;

QString text(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes);
}

QString number(qint64 value)
{
    return QString::number(value);
}

// Upper-case hexadecimal without leading zeros; a negative 16-bit value shows
// its two's complement, as the listings have always printed it.
QString hexNumber(qint16 value)
{
    return QString::number(quint16(value), 16).toUpper();
}

// Field names match as the exchange's own tools match them: each byte taken
// as a Latin-1 letter and compared in upper case.
QByteArray foldedName(QByteArrayView name)
{
    static const std::array<char, 256> upper = [] {
        std::array<char, 256> table{};
        for (int c = 0; c < 256; ++c)
            table[std::size_t(c)] = char(QChar::fromLatin1(char(c)).toUpper().toLatin1());
        return table;
    }();
    QByteArray folded(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i)
        folded[i] = upper[quint8(name[i])];
    return folded;
}

bool isDigitType(qint16 type)
{
    return type == FieldType::Digit || type == FieldType::IntegerOrDigit;
}

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

qint16 clampCount(qint64 value)
{
    return qint16(std::clamp<qint64>(value, 0, std::numeric_limits<qint16>::max()));
}
} // namespace

RecordClass::RecordClass(DebugLog *log)
    : m_log(log)
    , m_fields(1)
    , m_recordTable(1)
{
}

DebugLog &RecordClass::log() const
{
    return m_log ? *m_log : DebugLog::shared();
}

void RecordClass::error(const char *operation, const QString &message) const
{
    error(QStringLiteral("RecordClass.") + QLatin1String(operation), message);
}

void RecordClass::error(const QString &source, const QString &message) const
{
    log().Error(source, message);
}

QString RecordClass::indexMessage(int rec) const
{
    return QStringLiteral("Index (") + number(rec) + QStringLiteral(") greater than record count ( ") + number(m_records)
        + QStringLiteral(")");
}

// ---- Layout --------------------------------------------------------------

QByteArray RecordClass::ItemsNames(int i) const
{
    if (i < 0 || i > m_items || i >= m_fields.size() || m_fields[i].Name == NullFieldName)
        return {};
    return m_fields[i].Name;
}

const FieldDef *RecordClass::find(QByteArrayView name) const
{
    const int i = fieldIndex(name);
    return i > 0 ? &m_fields[i] : nullptr;
}

int RecordClass::fieldIndex(QByteArrayView name) const
{
    return name.isEmpty() ? firstUnnamed(false) : m_fieldIndex.value(foldedName(name), 0);
}

// Unnamed entries stay out of the index, so that naming them one by one
// (makeStruct, then setField) keeps it up to date without a rebuild.
int RecordClass::firstUnnamed(bool digit) const
{
    const int last = qMin<int>(m_items, m_fields.size() - 1);
    for (int i = 1; i <= last; ++i) {
        if (m_fields[i].Name.isEmpty() && (!digit || isDigitType(m_fields[i].Type)))
            return i;
    }
    return 0;
}

void RecordClass::indexFields()
{
    m_fieldIndex.clear();
    m_digitFieldIndex.clear();
    const int last = qMin<int>(m_items, m_fields.size() - 1);
    for (int i = 1; i <= last; ++i)
        indexField(i);
}

// Lookups scan entries 1 .. Items and take the first match, so a later field
// of the same name stays hidden behind an earlier one.
void RecordClass::indexField(int i)
{
    if (m_fields[i].Name.isEmpty())
        return;
    const QByteArray key = foldedName(m_fields[i].Name);
    const auto keepFirst = [i, &key](QHash<QByteArray, int> &index) {
        const auto it = index.constFind(key);
        if (it == index.cend() || *it > i)
            index.insert(key, i);
    };
    keepFirst(m_fieldIndex);
    if (isDigitType(m_fields[i].Type))
        keepFirst(m_digitFieldIndex);
}

qint16 RecordClass::GetItems(QByteArrayView name) const
{
    const FieldDef *field = find(name);
    return field ? field->Items : 0;
}

qint16 RecordClass::GetType(QByteArrayView name) const
{
    const FieldDef *field = find(name);
    return field ? field->Type : 0;
}

FieldDef RecordClass::field(int i) const
{
    return i >= 0 && i < m_fields.size() ? m_fields[i] : FieldDef();
}

void RecordClass::makeStruct(const QByteArray &name, int items, int records, int structSize, int type)
{
    m_name = name;
    m_items = clampCount(items);
    m_records = clampCount(records);
    m_structSize = qint16(structSize);
    m_type = qint16(type);
    m_fields = QList<FieldDef>(m_items + 1);
    m_recordTable = QList<QByteArray>(m_records + 1);
    indexFields();
    touch();
    layoutChanging();
}

void RecordClass::setField(int index, const QByteArray &name, int items, int size, int startPosn, int type)
{
    if (index < 0 || index >= m_fields.size())
        return;
    const bool wasBlank = m_fields[index].Name.isEmpty();
    m_fields[index] = FieldDef{name, qint16(type), qint16(size), qint16(items), qint16(startPosn)};
    // Filling a fresh entry only adds to the index; anything else may uncover a hidden field.
    if (wasBlank && index >= 1 && index <= m_items)
        indexField(index);
    else
        indexFields();
    touch();
    layoutChanging();
}

void RecordClass::BuildStructure(const QByteArray &packet)
{
    const quint32 itemCount = PInt(packet, DefItemsPos, 2);
    if (log().debugDisplay()) {
        DebugLog &out = log();
        out.AddNL(QStringLiteral("Packet Type = Structure"));
        // The length travels high byte first, so it is shown in packet order.
        out.AddNL(QStringLiteral("Length = 0x") + HexBytes(packet, DefLengthPos, 1) + HexBytes(packet, DefLengthPos + 1, 1)
                  + QStringLiteral("; Sequence = 0x") + HexBytes(packet, DefSequencePos, 2)
                  + QStringLiteral("; PortID = 0x") + HexBytes(packet, DefPortIdPos, 2));
        out.AddNL(QStringLiteral("Structure Size = 0x") + HexBytes(packet, DefStructSizePos, 2) + QStringLiteral("; Name = ")
                  + text(Mid(packet, DefNamePos, DefNameLength)) + QStringLiteral("; Items = ")
                  + HexBytes(packet, DefItemsPos, 2) + QStringLiteral("; Records = ") + HexBytes(packet, DefRecordsPos, 2)
                  + QStringLiteral("; Type = ") + hexNumber(m_type));
        for (quint32 i = 0; i < itemCount && i < quint32(std::numeric_limits<qint16>::max()); ++i) {
            const qsizetype pos = DefFirstFieldPos + qsizetype(DefFieldLength) * i;
            out.AddNL(QStringLiteral("Member Size = 0x") + HexBytes(packet, pos, 2) + QStringLiteral("; Name = ")
                      + text(CString(packet, pos + DefFieldNameOffset, DefFieldNameLength)) + QStringLiteral("; Items = ")
                      + HexBytes(packet, pos + DefFieldItemsOffset, 2) + QStringLiteral("; Type = ")
                      + HexBytes(packet, pos + DefFieldTypeOffset, 2));
        }
    }

    m_structSize = qint16(PInt(packet, DefStructSizePos, 2));
    // The name keeps its NUL padding; the exchange matches it byte for byte.
    m_name = packet.mid(DefNamePos - 1, DefNameLength);
    m_items = clampCount(qint16(itemCount));
    m_records = clampCount(qint16(PInt(packet, DefRecordsPos, 2)));

    m_fields = QList<FieldDef>(m_items + 1);
    qsizetype pos = DefFirstFieldPos;
    qint64 start = 1;
    for (int i = 1; i <= m_items; ++i, pos += DefFieldLength) {
        FieldDef &field = m_fields[i];
        field.Size = qint16(PInt(packet, pos, 2));
        field.Name = CString(packet, pos + DefFieldNameOffset, DefFieldNameLength);
        field.Items = qint16(PInt(packet, pos + DefFieldItemsOffset, 2));
        field.Type = qint16(PInt(packet, pos + DefFieldTypeOffset, 2));
        field.StartPosn = qint16(start);
        start += field.Items != 0 ? qint64(field.Items) * field.Size : field.Size;
    }
    m_recordTable = QList<QByteArray>(m_records + 1);
    indexFields();
    touch();
    layoutChanging();
}

QByteArray RecordClass::DefinitionData() const
{
    // A definition places fields one after another from byte 1, so a gap in
    // this layout (the tones' checksum bytes) travels as a placeholder field.
    QByteArray fields;
    int count = 0;
    qint64 start = 1;
    const auto append = [&](const QByteArray &name, qint16 size, qint16 items, qint16 type) {
        fields += EVal(size, 2);
        fields += name.left(DefFieldNameLength).leftJustified(DefFieldNameLength, '\0');
        fields += EVal(items, 2);
        fields += EVal(type, 2);
        ++count;
    };
    for (int i = 1; i <= m_items && i < m_fields.size(); ++i) {
        const FieldDef &f = m_fields[i];
        // Positions are 16-bit, so compare them as such: a layout whose sizes
        // wrap the count around has no gap, only a wrapped position.
        const qint16 expected = qint16(start);
        if (expected >= 1 && f.StartPosn > expected) {
            append(NullFieldName, qint16(f.StartPosn - expected), 0, FieldType::None);
            start += f.StartPosn - expected;
        }
        append(f.Name, f.Size, f.Items, f.Type);
        start += f.Items != 0 ? qint64(f.Items) * f.Size : f.Size;
    }
    QByteArray data = EVal(m_structSize, 2);
    data += m_name.left(DefNameLength).leftJustified(DefNameLength, '\0');
    data += EVal(count, 2);
    data += EVal(m_records, 2);
    return data + fields;
}

void RecordClass::ShowStructure() const
{
    DebugLog &out = log();
    if (!out.debugDisplay())
        return;
    out.AddNL(QStringLiteral("Structure Size = 0x") + hexNumber(m_structSize));
    out.Add(QStringLiteral("; Name = ") + text(m_name) + QStringLiteral("; Items = ") + number(m_items)
            + QStringLiteral("; Records = ") + number(m_records) + QStringLiteral("; Type = ") + number(m_type));
    for (int i = 1; i <= m_items && i < m_fields.size(); ++i) {
        const FieldDef &f = m_fields[i];
        out.AddNL(QStringLiteral("Member Size = 0x") + hexNumber(f.Size));
        out.Add(QStringLiteral("; Name = ") + text(f.Name) + QStringLiteral("; Items = ") + number(f.Items)
                + QStringLiteral("; StartPosn = ") + number(f.StartPosn) + QStringLiteral("; Type = ") + number(f.Type));
    }
}

void RecordClass::ShowPacket(const QByteArray &packet) const
{
    DebugLog &out = log();
    if (!out.debugDisplay())
        return;
    out.Add(QStringLiteral("Index = ") + number(PInt(packet, PacketIndexPos, 2)));
    for (int i = 1; i <= m_items && i < m_fields.size(); ++i) {
        const FieldDef &f = m_fields[i];
        const qsizetype pos = qsizetype(f.StartPosn) + PacketHeadLength;
        out.AddNL(text(f.Name));
        out.Add(QStringLiteral(" = "));
        switch (f.Type) {
        case FieldType::None:
            out.Add(number(f.Items) + QStringLiteral(" "));
            break;
        case FieldType::Boolean:
            if (f.Items > 0) {
                for (int k = 0; k < f.Items; ++k)
                    out.Add(QStringLiteral(" 0x") + HexBytes(packet, pos + qsizetype(f.Size) * k, f.Size));
                break;
            }
            [[fallthrough]];
        case FieldType::ReadOnlyInteger:
        case FieldType::Integer:
        case 5:
        case FieldType::Digit:
        case 7:
            out.Add(QStringLiteral(" 0x") + HexBytes(packet, pos, f.Size));
            break;
        case FieldType::String:
            out.Add(text(Mid(packet, pos, f.Items)));
            break;
        default:
            break;
        }
    }
}

// ---- Field resolution ----------------------------------------------------

bool RecordClass::checkRecordIndex(const char *operation, int rec) const
{
    if (rec >= 0 && rec < m_records)
        return true;
    error(operation, indexMessage(rec));
    return false;
}

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
        error(operation, text(name) + QStringLiteral(" is not type ") + QLatin1String(kind) + QStringLiteral(" (is a Type ")
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
    error(operation, QStringLiteral("Start Posn (") + number(pos) + QStringLiteral(",") + number(length)
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
        error("GetBoolean", QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(") greater than record length ( ")
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
        error("GetBit", QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(") greater than record length ( ")
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
        error("GetBit", QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(") greater than record length ( ")
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
        error("GetInteger", QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(",") + number(at.field->Size)
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
        error("GetString", QStringLiteral("Start Posn (") + number(f.StartPosn) + QStringLiteral(",") + number(f.Size)
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
        error("GetDigit", QStringLiteral("Start Posn (") + number(at.pos) + QStringLiteral(",") + number(size)
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
        error("SetString", QStringLiteral("New Data Len (") + number(newText.size())
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
        error("SetDigit", QStringLiteral("Start Posn (") + number(pos) + QStringLiteral(",") + number(size)
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

// ---- Records -------------------------------------------------------------

void RecordClass::PutData(const QByteArray &packet)
{
    bookkeepingChanging();
    m_dataFlag = -1;
    if (packet.size() < MinPacketLength) {
        error("PutData", QStringLiteral("Packet length is only ") + number(packet.size())
                             + QStringLiteral(". Needs to be min 7"));
        m_lastSaved = -1;
        return;
    }
    const int rec = int(PInt(packet, PacketIndexPos, 2));
    if (rec >= m_records) {
        error("PutData", indexMessage(rec));
        return;
    }
    QByteArray image = replyImage(packet);
    if (m_recordTable[rec] != image) {
        recordChanging(rec);
        m_recordTable[rec] = std::move(image);
        touch();
    }
    m_lastSaved = rec;
}

int RecordClass::replyIndex(const QByteArray &packet)
{
    return packet.size() < MinPacketLength ? -1 : int(PInt(packet, PacketIndexPos, 2));
}

QByteArray RecordClass::replyImage(const QByteArray &packet)
{
    // A packet too short for head and trailer carries an empty image.
    const qsizetype imageLength = packet.size() - PacketHeadLength - PacketTrailerLength;
    return imageLength > 0 ? packet.mid(PacketHeadLength, imageLength) : QByteArray();
}

void RecordClass::PutUsed(const QByteArray &packet)
{
    bookkeepingChanging();
    m_dataFlag = -1;
    if (packet.size() < MinPacketLength) {
        error("PutUsed", QStringLiteral("Packet length is only ") + number(packet.size())
                             + QStringLiteral(". Needs to be min 7"));
        m_lastSaved = -1;
        return;
    }
    const qsizetype mapLength = packet.size() - PacketHeadLength - PacketTrailerLength;
    QByteArray map = mapLength > 0 ? packet.mid(PacketHeadLength, mapLength) : QByteArray();
    if (map != m_usedMap) {
        m_usedMap = std::move(map);
        touch();
    }
}

void RecordClass::SetRecordUsed(int i, bool used)
{
    if (m_usedMap.isEmpty() || i < 0 || i >= m_records)
        return;
    const qsizetype q = i / 8;
    if (q >= m_usedMap.size()) {
        bookkeepingChanging();
        m_usedMap.append(QByteArray(q + 1 - m_usedMap.size(), '\0'));
    }
    const quint8 mask = quint8(1u << (i % 8));
    const quint8 old = quint8(m_usedMap[q]);
    const quint8 updated = used ? (old | mask) : (old & ~mask);
    if (updated == old)
        return;
    bookkeepingChanging();
    m_usedMap[q] = char(updated);
    touch();
}

bool RecordClass::GetRecordUsed(int i) const
{
    if (m_usedMap.isEmpty())
        return true;
    const qsizetype q = i / 8;
    if (i < 0 || q > m_usedMap.size()) {
        error("GetRecordUsed", QStringLiteral("Outside Range"));
        return false;
    }
    if (q == m_usedMap.size())
        return false;
    return (quint8(m_usedMap[q]) >> (i % 8)) & 1;
}

void RecordClass::PutBlank(int rec)
{
    if (rec < 0 || rec >= std::numeric_limits<qint16>::max()) {
        error("PutBlank", indexMessage(rec));
        return;
    }
    if (rec >= m_records) {
        layoutChanging();
        m_recordTable.resize(rec + 2);
        m_records = qint16(rec + 1);
    }
    recordChanging(rec);
    m_recordTable[rec] = QByteArray(qMax<int>(m_structSize, 0), BlankByte);
    m_lastSaved = rec;
    touch();
}

QByteArray RecordClass::SendData(int i) const
{
    if (i < 0 || i >= m_records) {
        error(QStringLiteral("RecordClass.SendData (") + text(m_name) + QStringLiteral(")"), indexMessage(i));
        return {};
    }
    return EVal(i, 2) + m_recordTable[i];
}

quint8 RecordClass::CalcChecksum(int rec) const
{
    if (rec < 0 || rec >= m_records)
        return 0;
    quint8 sum = 0;
    const QByteArray &record = m_recordTable[rec];
    for (qsizetype i = 1; i < record.size(); ++i)
        sum += quint8(record[i]);
    return sum;
}

void RecordClass::CopyRecord(int from, int to)
{
    bookkeepingChanging();
    m_dataFlag = -1;
    if (from < 0 || from >= m_records) {
        error("CopyRecord", QStringLiteral("CpyFrom (") + number(from) + QStringLiteral(") greater than record count ( ")
                                + number(m_records) + QStringLiteral(")"));
        return;
    }
    if (to < 0 || to >= m_records) {
        error("CopyRecord", QStringLiteral("CpyTo (") + number(to) + QStringLiteral(") greater than record count ( ")
                                + number(m_records) + QStringLiteral(")"));
        return;
    }
    recordChanging(to);
    m_recordTable[to] = m_recordTable[from];
    m_lastSaved = to;
    touch();
}

qint16 RecordClass::GetLastSaved() const
{
    if (m_lastSaved < 0) {
        error("GetLastSaved", QStringLiteral("No Data Last saved Stored"));
        return -1;
    }
    return qint16(m_lastSaved);
}

// ---- File ----------------------------------------------------------------

void RecordClass::Save(QbfWriter &out) const
{
    out.writeLString(m_name);
    out.writeI16(m_type);
    out.writeI16(m_structSize);
    out.writeI16(m_items);
    out.writeI16(m_records);
    for (const FieldDef &f : m_fields) {
        out.writeLString(f.Name);
        out.writeI16(f.Type);
        out.writeI16(f.Size);
        out.writeI16(f.Items);
        out.writeI16(f.StartPosn);
    }
    for (const QByteArray &record : m_recordTable)
        out.writeLString(record);
    out.writeLString(m_usedMap);
    out.writeLString(m_spareText);
    out.writeI16(m_dataFlag);
    out.writeI32(m_lastSaved);
}

bool RecordClass::load(QbfReader &in)
{
    QByteArray name;
    qint16 type = 0, structSize = 0, items = 0, records = 0;
    if (!in.readLString(name) || !in.readI16(type) || !in.readI16(structSize) || !in.readI16(items)
        || !in.readI16(records))
        return false;
    if (!in.expect(qint64(items) + 1, MinFieldEntryBytes, QStringLiteral("field")))
        return false;
    QList<FieldDef> fields(items + 1);
    for (FieldDef &f : fields) {
        if (!in.readLString(f.Name) || !in.readI16(f.Type) || !in.readI16(f.Size) || !in.readI16(f.Items)
            || !in.readI16(f.StartPosn))
            return false;
    }
    if (!in.expect(qint64(records) + 1, MinRecordBytes, QStringLiteral("record")))
        return false;
    QList<QByteArray> recordTable(records + 1);
    for (QByteArray &record : recordTable) {
        if (!in.readLString(record))
            return false;
    }
    QByteArray usedMap, spareText;
    qint16 dataFlag = 0;
    qint32 lastSaved = 0;
    if (!in.readLString(usedMap) || !in.readLString(spareText) || !in.readI16(dataFlag) || !in.readI32(lastSaved))
        return false;

    m_name = name;
    m_type = type;
    m_structSize = structSize;
    m_items = items;
    m_records = records;
    m_fields = std::move(fields);
    m_recordTable = std::move(recordTable);
    m_usedMap = usedMap;
    m_spareText = spareText;
    m_dataFlag = dataFlag;
    m_lastSaved = lastSaved;
    indexFields();
    touch();
    layoutChanging();
    return true;
}

void RecordClass::restoreRecord(int rec, const QByteArray &image)
{
    if (!checkRecordIndex("restoreRecord", rec) || m_recordTable[rec] == image)
        return;
    m_recordTable[rec] = image;
    touch();
}

void RecordClass::restoreBookkeeping(const Bookkeeping &state)
{
    if (bookkeeping() == state)
        return;
    m_usedMap = state.usedMap;
    m_dataFlag = state.dataFlag;
    m_lastSaved = state.lastSaved;
    touch();
}

void RecordClass::recordChanging(int rec)
{
    if (m_journal.journal)
        m_journal.journal->recordChanging(*this, rec);
}

void RecordClass::bookkeepingChanging()
{
    if (m_journal.journal)
        m_journal.journal->bookkeepingChanging(*this);
}

void RecordClass::layoutChanging()
{
    if (m_journal.journal)
        m_journal.journal->layoutChanged();
}

RecordClass::JournalLink &RecordClass::JournalLink::operator=(const JournalLink &)
{
    if (journal)
        journal->layoutChanged();
    return *this;
}

bool RecordClass::operator==(const RecordClass &other) const
{
    return m_name == other.m_name && m_type == other.m_type && m_structSize == other.m_structSize
        && m_items == other.m_items && m_records == other.m_records && m_fields == other.m_fields
        && m_recordTable == other.m_recordTable && m_usedMap == other.m_usedMap && m_spareText == other.m_spareText
        && m_dataFlag == other.m_dataFlag && m_lastSaved == other.m_lastSaved && m_requestCode == other.m_requestCode
        && m_sendCode == other.m_sendCode;
}
