#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

// Cuts the byte stream from the line into frame contents: skips bytes outside
// a frame, undoes the escapes and hands every complete frame to the handler
// before looking at the next byte, so a handler's reply goes out first.
class Receiver
{
public:
    // Well above the largest frame the exchange sends (a definition packet of
    // 255 fields is under 6 KiB); a frame that grows past it is noise.
    static constexpr qsizetype MaxFrameLength = 64 * 1024;

    using PacketHandler = std::function<void(const QByteArray &content)>;

    explicit Receiver(PacketHandler handler = {});

    void setHandler(PacketHandler handler) { m_handler = std::move(handler); }
    void ProcessInput(QByteArrayView chunk);
    void ClearInput();

    // Frames given up because they never closed within MaxFrameLength bytes.
    int overlongFrames() const { return m_overlongFrames; }

private:
    PacketHandler m_handler;
    QByteArray m_buffer;
    bool m_waiting = true;
    bool m_escape = false;
    bool m_previousWasDelimiter = false;
    int m_overlongFrames = 0;
};
