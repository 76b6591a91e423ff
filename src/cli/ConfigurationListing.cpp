#include "cli/ConfigurationListing.h"

#include "analysis/ByteText.h"
#include "analysis/FieldValueReader.h"
#include "cli/FieldValueJson.h"
#include "cli/JsonStream.h"
#include "core/DebugLog.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/RecordClass.h"

#include <QTextStream>

namespace {
constexpr int FreeSlotBit = 7;
constexpr int BitsPerByte = 8;
const QByteArray FlagField = QByteArrayLiteral("Flag");
const QString Indent = QStringLiteral("  ");
constexpr int NameWidth = 16;
constexpr int TypeWidth = 20;
constexpr int LabelWidth = 14;

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
    const QString text = ByteText::quoted(withoutPadding(name, &padding));
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

bool hasFlag(const RecordClass &s)
{
    return s.GetType(FlagField) == FieldType::Boolean;
}

bool isFree(const RecordClass &s, int rec)
{
    return hasFlag(s) && !s.record(rec).isEmpty() && s.GetBoolean(FlagField, rec, FreeSlotBit);
}
} // namespace

ConfigurationListing::ConfigurationListing(const ExchClass &config)
    : m_config(config)
    , m_log(config.log() ? *config.log() : DebugLog::shared())
{
}

// ---- Text ----------------------------------------------------------------

void ConfigurationListing::writeText(QTextStream &out) const
{
    const FieldValueReader reader(m_log);
    out << QStringLiteral("%1 structures, in member order\n").arg(ExchClass::MemberCount);
    for (int member = 0; member < ExchClass::MemberCount; ++member)
        writeStructure(out, reader, member);
}

void ConfigurationListing::writeStructure(QTextStream &out, const FieldValueReader &reader, int member) const
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
            << layoutRow(QString::number(i), ByteText::escaped(f.Name),
                         QString::number(f.Type) + QLatin1Char(' ') + typeName(f.Type), QString::number(f.Size),
                         QString::number(f.Items), QString::number(f.StartPosn), byteRange(f));
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
        QString text = ByteText::spacedHex(map) + QStringLiteral(" (marks ")
            + (marked.isEmpty() ? QStringLiteral("no records") : QStringLiteral("records ") + ranges(marked));
        if (beyond > 0)
            text += QStringLiteral("; %1 bits past the last record").arg(beyond);
        line(QStringLiteral("used map"), text + QLatin1Char(')'));
    }

    const QList<bool> named = FieldValueReader::namedFields(s);
    for (int rec = 0; rec < s.Records(); ++rec)
        writeRecord(out, reader, s, named, rec);
}

void ConfigurationListing::writeRecord(QTextStream &out, const FieldValueReader &reader, const RecordClass &s,
                                       const QList<bool> &named, int rec) const
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
    out << Indent << Indent << QStringLiteral("bytes %1\n").arg(ByteText::spacedHex(bytes));
    for (int i = 0; i <= s.Items(); ++i) {
        const FieldDef f = s.field(i);
        if (!FieldValueReader::isListed(f))
            continue;
        out << Indent << Indent << ByteText::escaped(f.Name).leftJustified(NameWidth) << QLatin1Char(' ')
            << reader.read(s, named, i, rec).text() << QLatin1Char('\n');
    }
}

// ---- JSON ----------------------------------------------------------------

void ConfigurationListing::writeJson(QTextStream &out, const QString &fileName) const
{
    const FieldValueReader reader(m_log);
    JsonStream json(out);
    json.beginObject();
    json.key(QStringLiteral("file"));
    json.string(fileName);
    json.key(QStringLiteral("structures"));
    json.beginArray();
    for (int member = 0; member < ExchClass::MemberCount; ++member)
        writeStructureJson(json, reader, member);
    json.endArray();
    json.endObject();
}

// Keys in sorted order, as a QJsonObject would list them.
void ConfigurationListing::writeStructureJson(JsonStream &json, const FieldValueReader &reader, int member) const
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
    json.string(ByteText::compactHex(s.Name()));
    field(QStringLiteral("recordCount"), s.Records());
    field(QStringLiteral("recordSize"), s.StructSize());
    json.key(QStringLiteral("records"));
    json.beginArray();
    const QList<bool> named = FieldValueReader::namedFields(s);
    for (int rec = 0; rec < s.Records(); ++rec)
        writeRecordJson(json, reader, s, named, rec);
    json.endArray();
    field(QStringLiteral("requestCode"), s.RequestCode());
    field(QStringLiteral("sendCode"), s.SendCode());
    field(QStringLiteral("type"), s.StructType());
    json.key(QStringLiteral("usedMap"));
    json.string(ByteText::compactHex(s.usedMap()));
    json.key(QStringLiteral("usedRecords"));
    json.beginArray();
    for (int i = 0; i < s.Records(); ++i) {
        if (s.GetRecordUsed(i))
            json.number(i);
    }
    json.endArray();
    json.endObject();
}

void ConfigurationListing::writeRecordJson(JsonStream &json, const FieldValueReader &reader, const RecordClass &s,
                                           const QList<bool> &named, int rec) const
{
    const QByteArray bytes = s.record(rec);
    json.beginObject();
    if (!bytes.isEmpty()) {
        json.key(QStringLiteral("fields"));
        json.beginArray();
        for (int i = 0; i <= s.Items(); ++i) {
            const FieldDef f = s.field(i);
            if (!FieldValueReader::isListed(f))
                continue;
            json.beginObject();
            json.key(QStringLiteral("index"));
            json.number(i);
            json.key(QStringLiteral("name"));
            json.string(QString::fromLatin1(f.Name));
            json.key(QStringLiteral("value"));
            FieldValueJson::write(json, reader.read(s, named, i, rec));
            json.endObject();
        }
        json.endArray();
    }
    if (hasFlag(s)) {
        json.key(QStringLiteral("free"));
        json.boolean(isFree(s, rec));
    }
    json.key(QStringLiteral("hex"));
    json.string(ByteText::compactHex(bytes));
    json.key(QStringLiteral("index"));
    json.number(rec);
    json.key(QStringLiteral("used"));
    json.boolean(s.GetRecordUsed(rec));
    json.endObject();
}
