#include "cli/FieldValueJson.h"

#include "analysis/ByteText.h"
#include "analysis/FieldValue.h"
#include "cli/JsonStream.h"

namespace {
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
} // namespace

void FieldValueJson::write(JsonStream &json, const FieldValue &value)
{
    const auto single = [&json](const QString &key, const QString &text) {
        json.beginObject();
        json.key(key);
        json.string(text);
        json.endObject();
    };
    switch (value.kind) {
    case FieldValue::Kind::Integers:
        writeNumbers(json, value.numbers, true);
        return;
    case FieldValue::Kind::Bits:
        writeNumbers(json, value.numbers, false);
        return;
    case FieldValue::Kind::Text:
        json.string(QString::fromLatin1(value.bytes));
        return;
    case FieldValue::Kind::Digits:
        writeStrings(json, value.digits);
        return;
    case FieldValue::Kind::IntegersAndDigits:
        json.beginObject();
        json.key(QStringLiteral("digits"));
        writeStrings(json, value.digits);
        json.key(QStringLiteral("integer"));
        writeNumbers(json, value.numbers, true);
        json.endObject();
        return;
    case FieldValue::Kind::Raw:
        single(QStringLiteral("raw"), ByteText::compactHex(value.bytes));
        return;
    case FieldValue::Kind::Unreadable:
        single(QStringLiteral("error"), value.error);
        return;
    }
}
