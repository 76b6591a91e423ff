#pragma once

#include <QByteArray>
#include <QString>

// File names as the system holds them: bytes, nearly always UTF-8. Qt's own
// conversion replaces bytes that are not UTF-8, which would open or replace
// another file than the one named; these keep each such byte as a lone
// surrogate (U+DC80 + byte) and give it back unchanged, so a name from the
// command line reaches the system as it was given.
class NativeFileName
{
public:
    static QString decode(const QByteArray &name);
    static QByteArray encode(const QString &name);
};
