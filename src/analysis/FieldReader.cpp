#include "analysis/FieldReader.h"

#include "model/RecordClass.h"

namespace {
// Index 0 answers "no such field": what a file left in that entry is no field.
FieldDef namedField(const RecordClass &structure, const QByteArray &name)
{
    const int index = structure.fieldIndex(name);
    return index > 0 ? structure.field(index) : FieldDef();
}
} // namespace

FieldReader::FieldReader(const RecordClass &structure, const QByteArray &name)
    : m_structure(structure)
    , m_name(name)
    , m_field(namedField(structure, name))
{
}

bool FieldReader::isInteger() const
{
    return m_field.Type == FieldType::ReadOnlyInteger || m_field.Type == FieldType::Integer
        || m_field.Type == FieldType::IntegerOrDigit;
}

bool FieldReader::isBits() const
{
    return m_field.Type == FieldType::Boolean;
}

bool FieldReader::isText() const
{
    return m_field.Type == FieldType::String;
}

bool FieldReader::isDigits() const
{
    return m_field.Type == FieldType::Digit || m_field.Type == FieldType::IntegerOrDigit;
}

int FieldReader::elements() const
{
    return m_field.Type == FieldType::None ? 0 : qMax<int>(m_field.Items, 1);
}

qsizetype FieldReader::recordLength(int rec) const
{
    return rec >= 0 && rec < m_structure.Records() ? m_structure.record(rec).size() : -1;
}

int FieldReader::elementStart(int k) const
{
    return k > 0 && k < m_field.Items ? m_field.StartPosn + m_field.Size * k : m_field.StartPosn;
}

// Each reader asks for exactly the bytes its accessor would refuse to do without.

std::optional<int> FieldReader::integer(int rec, int k) const
{
    const int start = elementStart(k);
    if (!isInteger() || start < 1 || start + m_field.Size > recordLength(rec) + 1)
        return std::nullopt;
    return m_structure.GetInteger(m_name, rec, k);
}

std::optional<QByteArray> FieldReader::digits(int rec, int k) const
{
    const int start = elementStart(k);
    if (!isDigits() || start < 1 || start + m_field.Size >= recordLength(rec))
        return std::nullopt;
    return m_structure.GetDigit(m_name, rec, k);
}

std::optional<QByteArray> FieldReader::text(int rec) const
{
    if (!isText() || m_field.StartPosn < 1 || m_field.StartPosn + m_field.Size >= recordLength(rec))
        return std::nullopt;
    return m_structure.GetString(m_name, rec);
}

std::optional<bool> FieldReader::bit(int rec, int n) const
{
    if (!isBits() || m_field.StartPosn < 1 || m_field.StartPosn > recordLength(rec))
        return std::nullopt;
    return m_structure.GetBit(m_name, rec, n);
}

QList<int> FieldReader::bits(int rec) const
{
    if (!isBits() || m_field.StartPosn < 1 || m_field.StartPosn > recordLength(rec))
        return {};
    return m_structure.GetBits(m_name, rec);
}
