#include "analysis/FieldValue.h"

#include "analysis/ByteText.h"

namespace {
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

QString bitsText(const QList<int> &bits)
{
    return bits.isEmpty() ? QStringLiteral("no bits") : QStringLiteral("bits ") + joined(bits);
}
} // namespace

FieldValue FieldValue::raw(const QByteArray &bytes)
{
    FieldValue value;
    value.kind = Kind::Raw;
    value.bytes = bytes;
    value.byteLength = int(bytes.size());
    return value;
}

QString FieldValue::text() const
{
    switch (kind) {
    case Kind::Integers:
        return joined(numbers);
    case Kind::Bits:
        return byteLength == 1
            ? bitsText(numbers)
            : ByteText::spacedHex(bytes) + QStringLiteral(" (") + bitsText(numbers) + QLatin1Char(')');
    case Kind::Text:
        return ByteText::quoted(bytes);
    case Kind::Digits:
        return joinedDigits(digits);
    case Kind::IntegersAndDigits:
        return QStringLiteral("integer ") + joined(numbers) + QStringLiteral("; digits ") + joinedDigits(digits);
    case Kind::Raw:
        return QStringLiteral("raw ") + ByteText::spacedHex(bytes);
    case Kind::Unreadable:
        return QStringLiteral("<unreadable: ") + error + QLatin1Char('>');
    }
    return QString();
}
