#include "model/QbfReader.h"

#include "model/FieldFunctions.h"

QbfReader::QbfReader(const QByteArray &data)
    : m_data(data)
{
}

bool QbfReader::take(qsizetype n, const char *&bytes)
{
    if (!ok())
        return false;
    if (n > m_data.size() - m_pos)
        return fail(QStringLiteral("the file ends early at byte %1").arg(m_data.size()));
    bytes = m_data.constData() + m_pos;
    m_pos += n;
    return true;
}

bool QbfReader::readI16(qint16 &value)
{
    const char *bytes = nullptr;
    if (!take(2, bytes))
        return false;
    value = qint16(PInt(QByteArrayView(bytes, 2), 1, 2));
    return true;
}

bool QbfReader::readI32(qint32 &value)
{
    const char *bytes = nullptr;
    if (!take(4, bytes))
        return false;
    value = qint32(PInt(QByteArrayView(bytes, 4), 1, 4));
    return true;
}

bool QbfReader::readLString(QByteArray &text)
{
    const char *bytes = nullptr;
    if (!take(2, bytes))
        return false;
    const qsizetype length = PInt(QByteArrayView(bytes, 2), 1, 2);
    if (!take(length, bytes))
        return false;
    text = QByteArray(bytes, length);
    return true;
}

bool QbfReader::expect(qint64 count, qint64 itemBytes, const QString &what)
{
    if (!ok())
        return false;
    if (count < 0)
        return fail(QStringLiteral("%1 count %2 is negative").arg(what).arg(count));
    if (count * itemBytes > m_data.size() - m_pos)
        return fail(QStringLiteral("%1 count %2 does not fit in the rest of the file").arg(what).arg(count));
    return true;
}

bool QbfReader::fail(const QString &reason)
{
    if (ok())
        m_error = m_context.isEmpty() ? reason : m_context + QStringLiteral(": ") + reason;
    return false;
}
