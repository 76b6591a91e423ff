#include "analysis/ByteText.h"

namespace {
constexpr quint8 FirstPrintable = 0x20;
constexpr quint8 Delete = 0x7F;
constexpr int HexBase = 16;
} // namespace

QString ByteText::escaped(const QByteArray &bytes)
{
    QString text;
    for (char c : bytes) {
        const quint8 b = quint8(c);
        if (c == '\\' || c == '"') {
            text += QLatin1Char('\\');
            text += QLatin1Char(c);
        } else if (b >= FirstPrintable && b < Delete) {
            text += QLatin1Char(c);
        } else {
            text += QStringLiteral("\\x") + QStringLiteral("%1").arg(b, 2, HexBase, QLatin1Char('0')).toUpper();
        }
    }
    return text;
}

QString ByteText::quoted(const QByteArray &bytes)
{
    return QLatin1Char('"') + escaped(bytes) + QLatin1Char('"');
}

QString ByteText::spacedHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString ByteText::compactHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}
