#include "model/RecordClass.h"

#include "core/DebugLog.h"
#include "model/FieldFunctions.h"
#include "model/RecordClassParts.h"

#include <algorithm>
#include <array>
#include <limits>

using namespace RecordClassParts;

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

const QByteArray NullFieldName = QByteArrayLiteral("NULL");

// Upper-case hexadecimal without leading zeros; a negative 16-bit value shows
// its two's complement, as the listings have always printed it.
QString hexNumber(qint16 value)
{
    return QString::number(quint16(value), 16).toUpper();
}

bool isDigitType(qint16 type)
{
    return type == FieldType::Digit || type == FieldType::IntegerOrDigit;
}

qint16 clampCount(qint64 value)
{
    return qint16(std::clamp<qint64>(value, 0, std::numeric_limits<qint16>::max()));
}
} // namespace

QByteArray RecordClassParts::foldedName(QByteArrayView name)
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
        out.AddNL(QStringLiteral("Length = 0x") + HexBytes(packet, DefLengthPos, 1)
                  + HexBytes(packet, DefLengthPos + 1, 1) + QStringLiteral("; Sequence = 0x")
                  + HexBytes(packet, DefSequencePos, 2) + QStringLiteral("; PortID = 0x")
                  + HexBytes(packet, DefPortIdPos, 2));
        out.AddNL(QStringLiteral("Structure Size = 0x") + HexBytes(packet, DefStructSizePos, 2)
                  + QStringLiteral("; Name = ") + text(Mid(packet, DefNamePos, DefNameLength))
                  + QStringLiteral("; Items = ") + HexBytes(packet, DefItemsPos, 2) + QStringLiteral("; Records = ")
                  + HexBytes(packet, DefRecordsPos, 2) + QStringLiteral("; Type = ") + hexNumber(m_type));
        for (quint32 i = 0; i < itemCount && i < quint32(std::numeric_limits<qint16>::max()); ++i) {
            const qsizetype pos = DefFirstFieldPos + qsizetype(DefFieldLength) * i;
            out.AddNL(QStringLiteral("Member Size = 0x") + HexBytes(packet, pos, 2) + QStringLiteral("; Name = ")
                      + text(CString(packet, pos + DefFieldNameOffset, DefFieldNameLength))
                      + QStringLiteral("; Items = ") + HexBytes(packet, pos + DefFieldItemsOffset, 2)
                      + QStringLiteral("; Type = ") + HexBytes(packet, pos + DefFieldTypeOffset, 2));
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
                + QStringLiteral("; StartPosn = ") + number(f.StartPosn) + QStringLiteral("; Type = ")
                + number(f.Type));
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
