#pragma once

#include <QString>

#include <sys/stat.h>

class QFile;

// Opens a file for reading only when it is a regular file: a FIFO would block
// the reader until some writer came, a device would never end. The name is
// used as given (see NativeFileName).
class InputFile
{
public:
    // False with the system's reason, or the kind of file refused, in errorString.
    static bool open(QFile &file, const QString &path, QString *errorString);

    // Why a file of this mode is neither read nor replaced: "Is a directory",
    // "Not a regular file (a named pipe)" and the like.
    static QString refusal(mode_t mode);
};
