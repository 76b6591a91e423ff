#include "model/NativeFileName.h"

#include <QUtf8StringView>

namespace {
constexpr char16_t EscapeBase = 0xDC00;
constexpr char16_t FirstEscaped = 0xDC80;
constexpr char16_t LastEscaped = 0xDCFF;
constexpr qsizetype LongestSequence = 4;

bool isValid(QByteArrayView bytes)
{
    return QUtf8StringView(bytes.data(), bytes.size()).isValidUtf8();
}

// Length of the UTF-8 character at the start of bytes; 0 when none starts there.
qsizetype characterLength(QByteArrayView bytes)
{
    for (qsizetype length = 1; length <= qMin(LongestSequence, bytes.size()); ++length) {
        if (isValid(bytes.first(length)))
            return length;
    }
    return 0;
}

bool isEscape(const QString &name, qsizetype i)
{
    const char16_t c = name[i].unicode();
    return c >= FirstEscaped && c <= LastEscaped && !(i > 0 && name[i - 1].isHighSurrogate());
}
} // namespace

QString NativeFileName::decode(const QByteArray &name)
{
    if (isValid(name))
        return QString::fromUtf8(name);
    QString result;
    result.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = characterLength(QByteArrayView(name).sliced(i));
        if (length == 0) {
            result += QChar(char16_t(EscapeBase + quint8(name[i])));
            ++i;
        } else {
            result += QString::fromUtf8(name.constData() + i, length);
            i += length;
        }
    }
    return result;
}

QByteArray NativeFileName::encode(const QString &name)
{
    QByteArray result;
    result.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isEscape(name, i))
            continue;
        result += QStringView(name).sliced(start, i - start).toUtf8();
        result += char(name[i].unicode() - EscapeBase);
        start = i + 1;
    }
    result += QStringView(name).sliced(start).toUtf8();
    return result;
}
