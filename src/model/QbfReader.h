#pragma once

#include <QByteArray>
#include <QString>

// Reads a configuration file image, refusing rather than guessing: every read
// checks that the bytes are there, and the first failure sticks with its reason.
class QbfReader
{
public:
    explicit QbfReader(const QByteArray &data);

    bool readI16(qint16 &value);
    bool readI32(qint32 &value);
    bool readLString(QByteArray &text);
    // Fails unless at least count items of itemBytes each could still follow;
    // keeps a damaged count from allocating more than the file can fill.
    bool expect(qint64 count, qint64 itemBytes, const QString &what);

    bool fail(const QString &reason);
    bool ok() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }
    qsizetype position() const { return m_pos; }
    // Names the part being read, for the error text.
    void setContext(const QString &context) { m_context = context; }

private:
    bool take(qsizetype n, const char *&bytes);

    QByteArray m_data;
    qsizetype m_pos = 0;
    QString m_context;
    QString m_error;
};
