#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

inline QByteArray fuzzInput(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Invariants are checked with abort() so the fuzzer reports them as crashes.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Takes values one after another from the input; past its end, zeros.
class FuzzReader
{
public:
    FuzzReader(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    quint8 byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int below(int bound) { return bound > 0 ? (byte() | byte() << 8) % bound : 0; }
    QByteArray bytes(qsizetype count)
    {
        QByteArray out;
        for (qsizetype i = 0; i < count; ++i)
            out += char(byte());
        return out;
    }
    QByteArray rest()
    {
        const QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(m_size - m_pos));
        m_pos = m_size;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
