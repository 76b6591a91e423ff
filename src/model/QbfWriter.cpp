#include "model/QbfWriter.h"

#include "model/FieldFunctions.h"

#include <limits>

void QbfWriter::writeI16(qint16 value)
{
    m_data += EVal(value, 2);
}

void QbfWriter::writeI32(qint32 value)
{
    m_data += EVal(value, 4);
}

bool QbfWriter::writeLString(const QByteArray &text)
{
    // A longer text cannot be represented; writing a truncated length would
    // shift everything after it, so the whole image is marked bad instead.
    if (text.size() > std::numeric_limits<quint16>::max()) {
        m_ok = false;
        return false;
    }
    m_data += EVal(text.size(), 2);
    m_data += text;
    return true;
}
