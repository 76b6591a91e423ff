#pragma once

#include <QByteArray>

// Builds the little-endian byte image of a configuration file in memory, so
// the file itself is written in one go and never left half-written.
class QbfWriter
{
public:
    void writeI16(qint16 value);
    void writeI32(qint32 value);
    // A 16-bit unsigned length, then the bytes.
    bool writeLString(const QByteArray &text);

    const QByteArray &data() const { return m_data; }
    bool ok() const { return m_ok; }

private:
    QByteArray m_data;
    bool m_ok = true;
};
