#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// What the files of RecordClass share: the head of a record packet, the rule
// by which field names match, and the texts of its diagnostics.
namespace RecordClassParts {
// Record packets: a 7-byte head (code, length, sequence, index) and a 4-byte trailer.
constexpr int PacketIndexPos = 6;
constexpr int PacketHeadLength = 7;
constexpr int PacketTrailerLength = 4;
constexpr int MinPacketLength = 7;

inline QString text(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes);
}

inline QString number(qint64 value)
{
    return QString::number(value);
}

// Field names match as the exchange's own tools match them: each byte taken
// as a Latin-1 letter and compared in upper case.
QByteArray foldedName(QByteArrayView name);
} // namespace RecordClassParts
