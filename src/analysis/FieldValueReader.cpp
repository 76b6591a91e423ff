#include "analysis/FieldValueReader.h"

#include "core/DebugLog.h"
#include "model/FieldDef.h"
#include "model/FieldFunctions.h"
#include "model/RecordClass.h"

namespace {
const QByteArray PlaceholderName = QByteArrayLiteral("NULL");
} // namespace

FieldValueReader::FieldValueReader(DebugLog &log)
    : m_connection(QObject::connect(&log, &DebugLog::errorReported, [this](const QString &, const QString &message) {
        if (m_firstError.isEmpty())
            m_firstError = message;
    }))
{
}

FieldValueReader::~FieldValueReader()
{
    QObject::disconnect(m_connection);
}

QList<bool> FieldValueReader::namedFields(const RecordClass &structure)
{
    QList<bool> named(qMax(structure.Items() + 1, 0), false);
    for (int i = 1; i < named.size(); ++i) {
        const QByteArray name = structure.field(i).Name;
        named[i] = !name.isEmpty() && name != PlaceholderName && structure.fieldIndex(name) == i;
    }
    return named;
}

bool FieldValueReader::isListed(const FieldDef &field)
{
    return !field.Name.isEmpty() || field.byteLength() != 0;
}

QByteArray FieldValueReader::fieldBytes(const QByteArray &record, const FieldDef &field)
{
    return field.byteLength() > 0 ? Mid(record, field.StartPosn, field.byteLength()) : QByteArray();
}

FieldValue FieldValueReader::read(const RecordClass &structure, const QList<bool> &named, int field, int rec) const
{
    const FieldDef f = structure.field(field);
    FieldValue value;
    if (named.value(field)) {
        m_firstError.clear();
        value = readNamed(structure, field, rec);
        if (failed()) {
            value = FieldValue();
            value.kind = FieldValue::Kind::Unreadable;
            value.error = m_firstError;
        }
    } else {
        value = FieldValue::raw(fieldBytes(structure.record(rec), f));
    }
    value.byteLength = f.byteLength();
    return value;
}

// Element loops end at the first failed read: the value is then shown as that
// failure, so the elements after it would only cost time.
FieldValue FieldValueReader::readNamed(const RecordClass &structure, int field, int rec) const
{
    const FieldDef f = structure.field(field);
    const int elements = qMax<int>(f.Items, 1);
    FieldValue value;
    const auto integers = [&] {
        for (int k = 0; k < elements && !failed(); ++k)
            value.numbers.append(structure.GetInteger(f.Name, rec, k));
    };
    const auto digits = [&] {
        for (int k = 0; k < elements && !failed(); ++k)
            value.digits.append(QString::fromLatin1(structure.GetDigit(f.Name, rec, k)));
    };

    switch (f.Type) {
    case FieldType::ReadOnlyInteger:
    case FieldType::Integer:
        value.kind = FieldValue::Kind::Integers;
        integers();
        return value;
    case FieldType::Boolean:
        value.kind = FieldValue::Kind::Bits;
        value.numbers = structure.GetBits(f.Name, rec);
        value.bytes = fieldBytes(structure.record(rec), f);
        return value;
    case FieldType::String:
        value.kind = FieldValue::Kind::Text;
        value.bytes = structure.GetString(f.Name, rec);
        return value;
    case FieldType::Digit:
        value.kind = FieldValue::Kind::Digits;
        digits();
        return value;
    case FieldType::IntegerOrDigit:
        value.kind = FieldValue::Kind::IntegersAndDigits;
        integers();
        digits();
        return value;
    default:
        return FieldValue::raw(fieldBytes(structure.record(rec), f));
    }
}
