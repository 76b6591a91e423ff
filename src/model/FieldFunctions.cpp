#include "model/FieldFunctions.h"

namespace {
constexpr qsizetype ResultBytes = 4;

bool inside(QByteArrayView s, qsizetype p, qsizetype n)
{
    return p >= 1 && n >= 0 && p + n <= s.size() + 1;
}
} // namespace

quint32 PInt(QByteArrayView s, qsizetype p, qsizetype n)
{
    if (!inside(s, p, n))
        return 0;
    quint32 value = 0;
    for (qsizetype k = qMin(n, ResultBytes) - 1; k >= 0; --k)
        value = (value << 8) | quint8(s[p - 1 + k]);
    return value;
}

QByteArray EVal(qint64 v, qsizetype n)
{
    QByteArray out;
    if (n <= 0)
        return out;
    out.reserve(n);
    for (qsizetype k = 0; k < n; ++k) {
        out.append(char(v & 0xFF));
        v >>= 8; // arithmetic shift: floor division, so negatives keep their sign bytes
    }
    return out;
}

QByteArray CString(QByteArrayView s, qsizetype p, qsizetype n)
{
    if (p < 1 || p > s.size() || n <= 0)
        return {};
    const QByteArrayView rest = s.sliced(p - 1, qMin(n, s.size() - p + 1));
    const qsizetype nul = rest.indexOf('\0');
    return (nul < 0 ? rest : rest.first(nul)).toByteArray();
}

QString HexBytes(QByteArrayView s, qsizetype p, qsizetype n)
{
    if (!inside(s, p, n))
        return QStringLiteral("##");
    QString text;
    text.reserve(2 * n);
    for (qsizetype k = n - 1; k >= 0; --k)
        text += QStringLiteral("%1").arg(quint8(s[p - 1 + k]), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

QByteArray Mid(const QByteArray &s, qsizetype p, qsizetype n)
{
    if (p < 1 || p > s.size())
        return {};
    const qsizetype available = s.size() - p + 1;
    return s.sliced(p - 1, n < 0 ? available : qMin(n, available));
}
