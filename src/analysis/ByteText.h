#pragma once

#include <QByteArray>
#include <QString>

// Record bytes as the listings show them: single-byte text with anything
// unprintable escaped, so one value stays on one line, and hexadecimal.
class ByteText
{
public:
    // Printable ASCII as it is, backslash and quote escaped, every other byte as \xHH.
    static QString escaped(const QByteArray &bytes);
    static QString quoted(const QByteArray &bytes);
    // "0A FF 3C"
    static QString spacedHex(const QByteArray &bytes);
    // "0AFF3C"
    static QString compactHex(const QByteArray &bytes);
};
