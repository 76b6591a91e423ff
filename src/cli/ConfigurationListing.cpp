#include "ConfigurationListing.h"

#include "DebugLog.h"
#include "ExchClass.h"
#include "FieldDef.h"
#include "FieldFunctions.h"
#include "JsonStream.h"
#include "RecordClass.h"

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

// Which fields the accessors reach by name: not the placeholder, not entry
// 0, and not hidden behind an earlier field of the same name.
QList<bool> namedFields(const RecordClass &s)
{
    QList<bool> named(qMax(s.Items() + 1, 0), false);
    for (int i = 1; i < named.size(); ++i) {
        const QByteArray name = s.field(i).Name;
        named[i] = !name.isEmpty() && name != PlaceholderName && s.fieldIndex(name) == i;
    }
    return named;
}

bool hasFlag(const RecordClass &s)
{
    return s.GetType(FlagField) == FieldType::Boolean;
}

bool isFree(const RecordClass &s, int rec)
{
    return hasFlag(s) && !s.record(rec).isEmpty() && s.GetBoolean(FlagField, rec, FreeSlotBit);
}

QString joined(const QList<int> &values)
{
    QStringList parts;
    parts.reserve(values.size());
    for (int v : values)
        parts.append(QString::number(v));
    return parts.join(QStringLiteral(", "));
}

QString joinedDigits(const QStringList &values)
{
    QStringList parts;
    parts.reserve(values.size());
    for (const QString &v : values)
        parts.append(QLatin1Char('"') + v + QLatin1Char('"'));
    return parts.join(QStringLiteral(", "));
}

// A single value stands alone where asked; otherwise, and for none or many, an array.
void writeNumbers(JsonStream &json, const QList<int> &values, bool single)
{
    if (single && values.size() == 1) {
        json.number(values.first());
        return;
    }
    json.beginArray();
    for (int v : values)
        json.number(v);
    json.endArray();
}

void writeStrings(JsonStream &json, const QStringList &values)
{
    if (values.size() == 1) {
        json.string(values.first());
        return;
    }
    json.beginArray();
    for (const QString &v : values)
        json.string(v);
    json.endArray();
}

// Keeps the first diagnostic the model raises while it is alive.
class FirstDiagnostic
{
public:
    FirstDiagnostic(DebugLog &log, QString &first)
        : m_connection(QObject::connect(&log, &DebugLog::errorReported,
                                        [&first](const QString &, const QString &message) {
                                            if (first.isEmpty())
                                                first = message;
                                        }))
    {
    }
    ~FirstDiagnostic() { QObject::disconnect(m_connection); }

private:
    QMetaObject::Connection m_connection;
};
} // namespace

ConfigurationListing::ConfigurationListing(const ExchClass &config)
    : m_config(config)
    , m_log(config.log() ? *config.log() : DebugLog::shared())
{
}

// ---- Decoding ------------------------------------------------------------

ConfigurationListing::Value ConfigurationListing::decode(const RecordClass &s, const QList<bool> &named, int field,
                                                         int rec) const
{
    if (!named.value(field))
        return rawValue(s, field, rec);
    m_firstError.clear();
    Value value = decodeNamed(s, field, rec);
    if (failed()) {
        value = Value();
        value.kind = Value::Kind::Unreadable;
        value.error = m_firstError;
    }
    return value;
}

// Element loops end at the first failed read: the value is then shown as that
// failure, so the elements after it would only cost time.
ConfigurationListing::Value ConfigurationListing::decodeNamed(const RecordClass &s, int field, int rec) const
{
    const FieldDef f = s.field(field);
    const int elements = qMax<int>(f.Items, 1);
    Value value;
    const auto integers = [&] {
        for (int k = 0; k < elements && !failed(); ++k)
            value.numbers.append(s.GetInteger(f.Name, rec, k));
    };
    const auto digits = [&] {
        for (int k = 0; k < elements && !failed(); ++k)
            value.digits.append(QString::fromLatin1(s.GetDigit(f.Name, rec, k)));
    };

    switch (f.Type) {
    case FieldType::ReadOnlyInteger:
    case FieldType::Integer:
        value.kind = Value::Kind::Integers;
        integers();
        return value;
    case FieldType::Boolean:
        value.kind = Value::Kind::Bits;
        value.numbers = s.GetBits(f.Name, rec);
        value.bytes = fieldBytes(s.record(rec), f);
        return value;
    case FieldType::String:
        value.kind = Value::Kind::Text;
        value.bytes = s.GetString(f.Name, rec);
        return value;
    case FieldType::Digit:
        value.kind = Value::Kind::Digits;
        digits();
        return value;
    case FieldType::IntegerOrDigit:
        value.kind = Value::Kind::IntegersAndDigits;
        integers();
        digits();
        return value;
    default:
        return rawValue(s, field, rec);
    }
}

ConfigurationListing::Value ConfigurationListing::rawValue(const RecordClass &s, int field, int rec)
{
    Value value;
    value.kind = Value::Kind::Raw;
    value.bytes = fieldBytes(s.record(rec), s.field(field));
    return value;
}

QString ConfigurationListing::valueText(const Value &value, int byteLength)
{
    switch (value.kind) {
    case Value::Kind::Integers:
        return joined(value.numbers);
    case Value::Kind::Bits:
        return byteLength == 1 ? bitsText(value.numbers)
                               : spacedHex(value.bytes) + QStringLiteral(" (") + bitsText(value.numbers) + QLatin1Char(')');
    case Value::Kind::Text:
        return quoted(value.bytes);
    case Value::Kind::Digits:
        return joinedDigits(value.digits);
    case Value::Kind::IntegersAndDigits:
        return QStringLiteral("integer ") + joined(value.numbers) + QStringLiteral("; digits ")
            + joinedDigits(value.digits);
    case Value::Kind::Raw:
        return QStringLiteral("raw ") + spacedHex(value.bytes);
    case Value::Kind::Unreadable:
        return QStringLiteral("<unreadable: ") + value.error + QLatin1Char('>');
    }
    return QString();
}

// ---- Text ----------------------------------------------------------------

void ConfigurationListing::writeText(QTextStream &out) const
{
    const FirstDiagnostic diagnostics(m_log, m_firstError);
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

    const QList<bool> named = namedFields(s);
    for (int rec = 0; rec < s.Records(); ++rec)
        writeRecord(out, s, named, rec);
}

void ConfigurationListing::writeRecord(QTextStream &out, const RecordClass &s, const QList<bool> &named, int rec) const
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
            << valueText(decode(s, named, i, rec), f.byteLength()) << QLatin1Char('\n');
    }
}

// ---- JSON ----------------------------------------------------------------

void ConfigurationListing::writeJson(QTextStream &out, const QString &fileName) const
{
    const FirstDiagnostic diagnostics(m_log, m_firstError);
    JsonStream json(out);
    json.beginObject();
    json.key(QStringLiteral("file"));
    json.string(fileName);
    json.key(QStringLiteral("structures"));
    json.beginArray();
    for (int member = 0; member < ExchClass::MemberCount; ++member)
        writeStructureJson(json, member);
    json.endArray();
    json.endObject();
}

// Keys in sorted order, as a QJsonObject would list them.
void ConfigurationListing::writeStructureJson(JsonStream &json, int member) const
{
    const RecordClass &s = m_config.member(member);
    const ExchClass::MemberInfo &info = ExchClass::info(member);
    const auto field = [&json](const QString &key, qint64 value) {
        json.key(key);
        json.number(value);
    };

    json.beginObject();
    field(QStringLiteral("dataFlag"), s.dataFlag());
    field(QStringLiteral("definitionId"), info.definitionId);
    field(QStringLiteral("fieldCount"), s.Items());
    json.key(QStringLiteral("fields"));
    json.beginArray();
    for (int i = 0; i <= s.Items(); ++i) {
        const FieldDef f = s.field(i);
        if (i == 0 && f == FieldDef())
            continue;
        json.beginObject();
        field(QStringLiteral("index"), i);
        field(QStringLiteral("items"), f.Items);
        field(QStringLiteral("length"), f.byteLength());
        json.key(QStringLiteral("name"));
        json.string(QString::fromLatin1(f.Name));
        field(QStringLiteral("size"), f.Size);
        field(QStringLiteral("start"), f.StartPosn);
        field(QStringLiteral("type"), f.Type);
        json.key(QStringLiteral("typeName"));
        json.string(typeName(f.Type));
        json.endObject();
    }
    json.endArray();
    field(QStringLiteral("lastSaved"), s.lastSaved());
    json.key(QStringLiteral("member"));
    json.string(QLatin1String(info.name));
    field(QStringLiteral("memberIndex"), member);
    json.key(QStringLiteral("name"));
    json.string(QString::fromLatin1(withoutPadding(s.Name())));
    json.key(QStringLiteral("nameHex"));
    json.string(compactHex(s.Name()));
    field(QStringLiteral("recordCount"), s.Records());
    field(QStringLiteral("recordSize"), s.StructSize());
    json.key(QStringLiteral("records"));
    json.beginArray();
    const QList<bool> named = namedFields(s);
    for (int rec = 0; rec < s.Records(); ++rec)
        writeRecordJson(json, s, named, rec);
    json.endArray();
    field(QStringLiteral("requestCode"), s.RequestCode());
    field(QStringLiteral("sendCode"), s.SendCode());
    field(QStringLiteral("type"), s.StructType());
    json.key(QStringLiteral("usedMap"));
    json.string(compactHex(s.usedMap()));
    json.key(QStringLiteral("usedRecords"));
    json.beginArray();
    for (int i = 0; i < s.Records(); ++i) {
        if (s.GetRecordUsed(i))
            json.number(i);
    }
    json.endArray();
    json.endObject();
}

void ConfigurationListing::writeRecordJson(JsonStream &json, const RecordClass &s, const QList<bool> &named,
                                           int rec) const
{
    const QByteArray bytes = s.record(rec);
    json.beginObject();
    if (!bytes.isEmpty()) {
        json.key(QStringLiteral("fields"));
        json.beginArray();
        for (int i = 0; i <= s.Items(); ++i) {
            const FieldDef f = s.field(i);
            if (f.Name.isEmpty() && f.byteLength() == 0)
                continue;
            json.beginObject();
            json.key(QStringLiteral("index"));
            json.number(i);
            json.key(QStringLiteral("name"));
            json.string(QString::fromLatin1(f.Name));
            json.key(QStringLiteral("value"));
            writeValueJson(json, decode(s, named, i, rec));
            json.endObject();
        }
        json.endArray();
    }
    if (hasFlag(s)) {
        json.key(QStringLiteral("free"));
        json.boolean(isFree(s, rec));
    }
    json.key(QStringLiteral("hex"));
    json.string(compactHex(bytes));
    json.key(QStringLiteral("index"));
    json.number(rec);
    json.key(QStringLiteral("used"));
    json.boolean(s.GetRecordUsed(rec));
    json.endObject();
}

void ConfigurationListing::writeValueJson(JsonStream &json, const Value &value)
{
    const auto single = [&json](const QString &key, const QString &text) {
        json.beginObject();
        json.key(key);
        json.string(text);
        json.endObject();
    };
    switch (value.kind) {
    case Value::Kind::Integers:
        writeNumbers(json, value.numbers, true);
        return;
    case Value::Kind::Bits:
        writeNumbers(json, value.numbers, false);
        return;
    case Value::Kind::Text:
        json.string(QString::fromLatin1(value.bytes));
        return;
    case Value::Kind::Digits:
        writeStrings(json, value.digits);
        return;
    case Value::Kind::IntegersAndDigits:
        json.beginObject();
        json.key(QStringLiteral("digits"));
        writeStrings(json, value.digits);
        json.key(QStringLiteral("integer"));
        writeNumbers(json, value.numbers, true);
        json.endObject();
        return;
    case Value::Kind::Raw:
        single(QStringLiteral("raw"), compactHex(value.bytes));
        return;
    case Value::Kind::Unreadable:
        single(QStringLiteral("error"), value.error);
        return;
    }
}
