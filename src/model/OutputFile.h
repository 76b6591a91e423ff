#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;
class QSaveFile;

// Where a file is written. A regular file, a new name, or a link to a regular
// file (whose target is replaced, the link kept) is replaced whole through a
// temporary file beside it, so a failed write leaves the old file as it was.
// A character device (/dev/null, a terminal) is written straight through.
// Anything else (a named pipe, a socket, a directory) is refused. Failures
// give the system's reason (errorString()); the caller names the file.
class OutputFile
{
public:
    explicit OutputFile(const QString &path);
    ~OutputFile();

    bool open();
    // Valid between a successful open() and commit() or cancel().
    QIODevice &device();
    // Writes out and checks every byte, then puts the file in place.
    bool commit();
    // Leaves the old file as it was.
    void cancel();
    QString errorString() const { return m_error; }

    // Whether the path can be written now, without writing it: for a check
    // before work that would otherwise end unable to save.
    static bool checkWritable(const QString &path, QString *errorString);

private:
    class Stream;

    bool fail(const QString &reason);
    bool openReplacement(const QByteArray &target, bool exists, unsigned mode);
    bool openDevice(const QByteArray &target);
    void closeDescriptor();

    QString m_path;
    QString m_error;
    std::unique_ptr<QSaveFile> m_saveFile;
    // A device written through, or the temporary file of a name Qt cannot spell.
    int m_descriptor = -1;
    QByteArray m_temporary;
    QByteArray m_target;
    std::unique_ptr<Stream> m_stream;
};
