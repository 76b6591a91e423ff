#include "ConfigurationListing.h"

#include "DebugLog.h"
#include "ExchClass.h"
#include "FieldDef.h"
#include "FieldFunctions.h"

#include <QTextStream>

namespace {
constexpr int FreeSlotBit = 7;
constexpr int BitsPerByte = 8;
const QByteArray FlagField = QByteArrayLiteral("Flag");
const QByteArray PlaceholderName = QByteArrayLiteral("NULL");
const QString Indent = QStringLiteral("  ");
constexpr int NameWidth = 16;
constexpr int TypeWidth = 20;
constexpr int LabelWidth = 14;

QString escaped(const QByteArray &bytes)
{
    QString text;
    for (char c : bytes) {
        const quint8 b = quint8(c);
        if (c == '\\' || c == '"') {
            text += QLatin1Char('\\');
            text += QLatin1Char(c);
        } else if (b >= 0x20 && b < 0x7F) {
            text += QLatin1Char(c);
        } else {
            text += QStringLiteral("\\x") + QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        }
    }
    return text;
}

QString quoted(const QByteArray &bytes)
{
    return QLatin1Char('"') + escaped(bytes) + QLatin1Char('"');
}

QString spacedHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString compactHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QByteArray withoutPadding(const QByteArray &name, int *padding = nullptr)
{
    qsizetype end = name.size();
    while (end > 0 && name.at(end - 1) == '\0')
        --end;
    if (padding)
        *padding = int(name.size() - end);
    return name.left(end);
}

// The structure name as the exchange sent it: the text, then how many NUL
// bytes pad it to its fixed width.
QString displayName(const QByteArray &name)
{
    int padding = 0;
    const QString text = quoted(withoutPadding(name, &padding));
    return padding > 0 ? text + QStringLiteral(" + %1 NUL").arg(padding) : text;
}

QString typeName(qint16 type)
{
    switch (type) {
    case FieldType::None:
        return QStringLiteral("none");
    case FieldType::ReadOnlyInteger:
        return QStringLiteral("read-only integer");
    case FieldType::Integer:
        return QStringLiteral("integer");
    case FieldType::Boolean:
        return QStringLiteral("boolean");
    case FieldType::String:
        return QStringLiteral("string");
    case FieldType::Digit:
        return QStringLiteral("digit");
    case FieldType::IntegerOrDigit:
        return QStringLiteral("integer or digit");
    default:
        return QStringLiteral("unknown");
    }
}

QString ranges(const QList<int> &values)
{
    QStringList parts;
    for (qsizetype i = 0; i < values.size();) {
        qsizetype j = i;
        while (j + 1 < values.size() && values.at(j + 1) == values.at(j) + 1)
            ++j;
        parts.append(j == i ? QString::number(values.at(i))
                            : QStringLiteral("%1-%2").arg(values.at(i)).arg(values.at(j)));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

QString bitsText(const QList<int> &bits)
{
    QStringList numbers;
    for (int bit : bits)
        numbers.append(QString::number(bit));
    return bits.isEmpty() ? QStringLiteral("no bits") : QStringLiteral("bits ") + numbers.join(QStringLiteral(", "));
}

// Names are the exchange's text, so rows are joined rather than built with
// arg(), which would read a "%1" inside a name as a placeholder.
QString layoutRow(const QString &index, const QString &name, const QString &type, const QString &size,
                  const QString &items, const QString &start, const QString &bytes)
{
    const QString gap = QStringLiteral("  ");
    return index.rightJustified(3) + gap + name.leftJustified(NameWidth) + gap + type.leftJustified(TypeWidth) + gap
        + size.rightJustified(4) + gap + items.rightJustified(5) + gap + start.rightJustified(5) + gap + bytes
        + QLatin1Char('\n');
}

QString byteRange(const FieldDef &f)
{
    const int length = f.byteLength();
    if (length <= 0)
        return QStringLiteral("-");
    return length == 1 ? QString::number(f.StartPosn)
                       : QStringLiteral("%1-%2").arg(f.StartPosn).arg(f.StartPosn + length - 1);
}

QByteArray fieldBytes(const QByteArray &record, const FieldDef &f)
{
    return f.byteLength() > 0 ? Mid(record, f.StartPosn, f.byteLength()) : QByteArray();
}

bool sameName(const QByteArray &a, const QByteArray &b)
{
    return QString::fromLatin1(a).compare(QString::fromLatin1(b), Qt::CaseInsensitive) == 0;
}

// A field the accessors reach by its name: not the placeholder, not entry 0,
// and not hidden behind an earlier field of the same name.
bool reachableByName(const RecordClass &s, int index)
{
    const QByteArray name = s.field(index).Name;
    if (index < 1 || name.isEmpty() || name == PlaceholderName)
        return false;
    for (int i = 1; i < index; ++i) {
        if (sameName(s.field(i).Name, name))
            return false;
    }
    return true;
}

bool hasFlag(const RecordClass &s)
{
    return s.GetType(FlagField) == FieldType::Boolean;
}

// Runs a read and returns the first diagnostic it raised, so a failed read is
// shown as a failure rather than as the accessor's fallback value.
template<typename Read>
QString firstDiagnostic(DebugLog &log, Read read)
{
    QString first;
    const QMetaObject::Connection connection =
        QObject::connect(&log, &DebugLog::errorReported, [&first](const QString &, const QString &message) {
            if (first.isEmpty())
                first = message;
        });
    read();
    QObject::disconnect(connection);
    return first;
}

template<typename T>
QJsonValue oneOrArray(const QList<T> &values)
{
    if (values.size() == 1)
        return QJsonValue(values.first());
    QJsonArray array;
    for (const T &v : values)
        array.append(v);
    return array;
}

QJsonArray intArray(const QList<int> &values)
{
    QJsonArray array;
    for (int v : values)
        array.append(v);
    return array;
}
} // namespace

ConfigurationListing::ConfigurationListing(const ExchClass &config)
    : m_config(config)
    , m_log(config.log() ? *config.log() : DebugLog::shared())
{
}

// ---- Decoding ------------------------------------------------------------

bool ConfigurationListing::isFree(const RecordClass &s, int rec) const
{
    return hasFlag(s) && !s.record(rec).isEmpty() && s.GetBoolean(FlagField, rec, FreeSlotBit);
}

QList<int> ConfigurationListing::usedRecords(const RecordClass &s) const
{
    QList<int> used;
    for (int i = 0; i < s.Records(); ++i) {
        if (s.GetRecordUsed(i))
            used.append(i);
    }
    return used;
}

ConfigurationListing::Value ConfigurationListing::decode(const RecordClass &s, int field, int rec) const
{
    if (!reachableByName(s, field))
        return rawValue(s, field, rec);
    Value value;
    const QString error = firstDiagnostic(m_log, [&] { value = decodeNamed(s, field, rec); });
    if (!error.isEmpty())
        return {QStringLiteral("<unreadable: %1>").arg(error), QJsonObject{{QStringLiteral("error"), error}}};
    return value;
}

ConfigurationListing::Value ConfigurationListing::decodeNamed(const RecordClass &s, int field, int rec) const
{
    const FieldDef f = s.field(field);
    const int elements = qMax<int>(f.Items, 1);
    const auto integers = [&] {
        QList<int> values;
        for (int k = 0; k < elements; ++k)
            values.append(s.GetInteger(f.Name, rec, k));
        return values;
    };
    const auto digits = [&] {
        QList<QString> values;
        for (int k = 0; k < elements; ++k)
            values.append(QString::fromLatin1(s.GetDigit(f.Name, rec, k)));
        return values;
    };
    const auto integersText = [](const QList<int> &values) {
        QStringList parts;
        for (int v : values)
            parts.append(QString::number(v));
        return parts.join(QStringLiteral(", "));
    };
    const auto digitsText = [](const QList<QString> &values) {
        QStringList parts;
        for (const QString &v : values)
            parts.append(QLatin1Char('"') + v + QLatin1Char('"'));
        return parts.join(QStringLiteral(", "));
    };

    switch (f.Type) {
    case FieldType::ReadOnlyInteger:
    case FieldType::Integer: {
        const QList<int> values = integers();
        return {integersText(values), oneOrArray(values)};
    }
    case FieldType::Boolean: {
        QList<int> bits;
        const int bitCount = f.byteLength() * BitsPerByte;
        for (int n = 0; n < bitCount; ++n) {
            if (s.GetBit(f.Name, rec, n))
                bits.append(n);
        }
        const QString text = f.byteLength() == 1
            ? bitsText(bits)
            : spacedHex(fieldBytes(s.record(rec), f)) + QStringLiteral(" (") + bitsText(bits) + QLatin1Char(')');
        return {text, intArray(bits)};
    }
    case FieldType::String: {
        const QByteArray text = s.GetString(f.Name, rec);
        return {quoted(text), QString::fromLatin1(text)};
    }
    case FieldType::Digit: {
        const QList<QString> values = digits();
        return {digitsText(values), oneOrArray(values)};
    }
    case FieldType::IntegerOrDigit: {
        const QList<int> asIntegers = integers();
        const QList<QString> asDigits = digits();
        return {QStringLiteral("integer %1; digits %2").arg(integersText(asIntegers), digitsText(asDigits)),
                QJsonObject{{QStringLiteral("integer"), oneOrArray(asIntegers)},
                            {QStringLiteral("digits"), oneOrArray(asDigits)}}};
    }
    default:
        return rawValue(s, field, rec);
    }
}

ConfigurationListing::Value ConfigurationListing::rawValue(const RecordClass &s, int field, int rec) const
{
    const QByteArray raw = fieldBytes(s.record(rec), s.field(field));
    return {QStringLiteral("raw ") + spacedHex(raw), QJsonObject{{QStringLiteral("raw"), compactHex(raw)}}};
}

// ---- Text ----------------------------------------------------------------

void ConfigurationListing::writeText(QTextStream &out) const
{
    out << QStringLiteral("%1 structures, in member order\n").arg(ExchClass::MemberCount);
    for (int member = 0; member < ExchClass::MemberCount; ++member)
        writeStructure(out, member);
}

void ConfigurationListing::writeStructure(QTextStream &out, int member) const
{
    const RecordClass &s = m_config.member(member);
    const ExchClass::MemberInfo &info = ExchClass::info(member);
    const auto line = [&out](const QString &label, const QString &value) {
        out << Indent << (label + QLatin1Char(':')).leftJustified(LabelWidth) << QLatin1Char(' ') << value
            << QLatin1Char('\n');
    };

    out << QStringLiteral("\n%1 (member %2, definition id %3)\n")
               .arg(QLatin1String(info.name))
               .arg(member)
               .arg(info.definitionId);
    line(QStringLiteral("name"), displayName(s.Name()));
    line(QStringLiteral("type"), QString::number(s.StructType()));
    line(QStringLiteral("record size"), QString::number(s.StructSize()));
    line(QStringLiteral("fields"), QString::number(s.Items()));
    line(QStringLiteral("records"), QString::number(s.Records()));
    line(QStringLiteral("request code"), QString::number(s.RequestCode()));
    line(QStringLiteral("send code"), QString::number(s.SendCode()));
    line(QStringLiteral("data flag"), QString::number(s.dataFlag()));
    line(QStringLiteral("last saved"), QString::number(s.lastSaved()));

    out << Indent << QStringLiteral("layout:\n");
    out << Indent << Indent
        << layoutRow(QStringLiteral("#"), QStringLiteral("name"), QStringLiteral("type"), QStringLiteral("size"),
                     QStringLiteral("items"), QStringLiteral("start"), QStringLiteral("bytes"));
    for (int i = 0; i <= s.Items(); ++i) {
        const FieldDef f = s.field(i);
        if (i == 0 && f == FieldDef())
            continue;
        out << Indent << Indent
            << layoutRow(QString::number(i), escaped(f.Name), QString::number(f.Type) + QLatin1Char(' ') + typeName(f.Type),
                         QString::number(f.Size), QString::number(f.Items), QString::number(f.StartPosn),
                         byteRange(f));
    }

    const QByteArray map = s.usedMap();
    if (map.isEmpty()) {
        line(QStringLiteral("used map"), QStringLiteral("none (every record counts as used)"));
    } else {
        QList<int> marked;
        int beyond = 0;
        for (int i = 0; i < map.size() * BitsPerByte; ++i) {
            if ((quint8(map.at(i / BitsPerByte)) >> (i % BitsPerByte)) & 1) {
                if (i < s.Records())
                    marked.append(i);
                else
                    ++beyond;
            }
        }
        QString text = spacedHex(map) + QStringLiteral(" (marks ")
            + (marked.isEmpty() ? QStringLiteral("no records") : QStringLiteral("records ") + ranges(marked));
        if (beyond > 0)
            text += QStringLiteral("; %1 bits past the last record").arg(beyond);
        line(QStringLiteral("used map"), text + QLatin1Char(')'));
    }

    for (int rec = 0; rec < s.Records(); ++rec)
        writeRecord(out, s, rec);
}

void ConfigurationListing::writeRecord(QTextStream &out, const RecordClass &s, int rec) const
{
    const QByteArray bytes = s.record(rec);
    QString state = s.GetRecordUsed(rec) ? QStringLiteral("used") : QStringLiteral("not used");
    if (isFree(s, rec))
        state += QStringLiteral(", free slot");
    if (bytes.isEmpty())
        state += QStringLiteral(", empty");
    else if (bytes.size() != s.StructSize())
        state += QStringLiteral(", %1 bytes where the layout has %2").arg(bytes.size()).arg(s.StructSize());

    out << Indent << QStringLiteral("record %1: %2\n").arg(rec).arg(state);
    if (bytes.isEmpty())
        return;
    out << Indent << Indent << QStringLiteral("bytes %1\n").arg(spacedHex(bytes));
    for (int i = 0; i <= s.Items(); ++i) {
        const FieldDef f = s.field(i);
        if (f.Name.isEmpty() && f.byteLength() == 0)
            continue;
        out << Indent << Indent << escaped(f.Name).leftJustified(NameWidth) << QLatin1Char(' ')
            << decode(s, i, rec).text << QLatin1Char('\n');
    }
}

// ---- JSON ----------------------------------------------------------------

QJsonArray ConfigurationListing::structures() const
{
    QJsonArray array;
    for (int member = 0; member < ExchClass::MemberCount; ++member)
        array.append(structureJson(member));
    return array;
}

QJsonObject ConfigurationListing::structureJson(int member) const
{
    const RecordClass &s = m_config.member(member);
    const ExchClass::MemberInfo &info = ExchClass::info(member);

    QJsonArray fields;
    for (int i = 0; i <= s.Items(); ++i) {
        const FieldDef f = s.field(i);
        if (i == 0 && f == FieldDef())
            continue;
        fields.append(QJsonObject{
            {QStringLiteral("index"), i},
            {QStringLiteral("name"), QString::fromLatin1(f.Name)},
            {QStringLiteral("type"), f.Type},
            {QStringLiteral("typeName"), typeName(f.Type)},
            {QStringLiteral("size"), f.Size},
            {QStringLiteral("items"), f.Items},
            {QStringLiteral("start"), f.StartPosn},
            {QStringLiteral("length"), f.byteLength()},
        });
    }

    QJsonArray records;
    for (int rec = 0; rec < s.Records(); ++rec)
        records.append(recordJson(s, rec));

    return QJsonObject{
        {QStringLiteral("member"), QLatin1String(info.name)},
        {QStringLiteral("memberIndex"), member},
        {QStringLiteral("definitionId"), info.definitionId},
        {QStringLiteral("name"), QString::fromLatin1(withoutPadding(s.Name()))},
        {QStringLiteral("nameHex"), compactHex(s.Name())},
        {QStringLiteral("type"), s.StructType()},
        {QStringLiteral("recordSize"), s.StructSize()},
        {QStringLiteral("fieldCount"), s.Items()},
        {QStringLiteral("recordCount"), s.Records()},
        {QStringLiteral("requestCode"), s.RequestCode()},
        {QStringLiteral("sendCode"), s.SendCode()},
        {QStringLiteral("dataFlag"), s.dataFlag()},
        {QStringLiteral("lastSaved"), s.lastSaved()},
        {QStringLiteral("fields"), fields},
        {QStringLiteral("usedMap"), compactHex(s.usedMap())},
        {QStringLiteral("usedRecords"), intArray(usedRecords(s))},
        {QStringLiteral("records"), records},
    };
}

QJsonObject ConfigurationListing::recordJson(const RecordClass &s, int rec) const
{
    const QByteArray bytes = s.record(rec);
    QJsonObject record{
        {QStringLiteral("index"), rec},
        {QStringLiteral("used"), s.GetRecordUsed(rec)},
        {QStringLiteral("hex"), compactHex(bytes)},
    };
    if (hasFlag(s))
        record.insert(QStringLiteral("free"), isFree(s, rec));
    if (bytes.isEmpty())
        return record;

    QJsonArray fields;
    for (int i = 0; i <= s.Items(); ++i) {
        const FieldDef f = s.field(i);
        if (f.Name.isEmpty() && f.byteLength() == 0)
            continue;
        fields.append(QJsonObject{
            {QStringLiteral("index"), i},
            {QStringLiteral("name"), QString::fromLatin1(f.Name)},
            {QStringLiteral("value"), decode(s, i, rec).json},
        });
    }
    record.insert(QStringLiteral("fields"), fields);
    return record;
}
