#include "link/Receiver.h"

#include "link/PacketCode.h"

namespace {
bool inStuffRange(char c)
{
    const auto value = static_cast<unsigned char>(c);
    return value >= Frame::StuffFirst && value <= Frame::StuffLast;
}
} // namespace

Receiver::Receiver(PacketHandler handler)
    : m_handler(std::move(handler))
{
}

void Receiver::ClearInput()
{
    m_waiting = true;
    m_escape = false;
    m_buffer.clear();
}

void Receiver::ProcessInput(QByteArrayView chunk)
{
    for (char c : chunk) {
        bool delimiter = false;
        if (m_waiting) {
            if (c == Frame::Delimiter) {
                m_waiting = false;
                m_buffer.clear();
                delimiter = true;
            }
        } else if (!inStuffRange(c)) {
            m_buffer += c;
        } else if (m_escape) {
            m_buffer += c;
            m_escape = false;
        } else if (c == Frame::Escape) {
            m_escape = true;
        } else if (c == Frame::Delimiter) {
            delimiter = true;
            m_escape = false;
            if (m_previousWasDelimiter) {
                m_buffer.clear();
            } else {
                m_waiting = true;
                const QByteArray content = m_buffer;
                if (m_handler)
                    m_handler(content);
            }
        } else {
            m_escape = false;
        }

        if (!m_waiting && m_buffer.size() > MaxFrameLength) {
            ++m_overlongFrames;
            ClearInput();
        }
        m_previousWasDelimiter = delimiter;
    }
}
