#include "model/OutputFile.h"

#include "model/InputFile.h"
#include "model/NativeFileName.h"

#include <QFile>
#include <QIODevice>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int TemporaryNameAttempts = 100;
constexpr mode_t NewFileMode = 0666;
constexpr mode_t PermissionBits = 07777;
constexpr qsizetype StreamChunk = 64 * 1024;

QString systemError()
{
    return qt_error_string(errno);
}
} // namespace

// Writes to a descriptor itself, so that a failed or short write keeps the
// system's reason ("File too large", "No space left on device"), which
// QFileDevice loses to "Unknown error" after a short write.
class OutputFile::Stream : public QIODevice
{
public:
    explicit Stream(int descriptor)
        : m_descriptor(descriptor)
    {
        m_pending.reserve(StreamChunk);
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }

    // Everything written so far has reached the descriptor.
    bool drain()
    {
        qsizetype done = 0;
        while (!m_failed && done < m_pending.size()) {
            const ssize_t n = ::write(m_descriptor, m_pending.constData() + done, size_t(m_pending.size() - done));
            if (n > 0) {
                done += n;
            } else if (n < 0 && errno != EINTR) {
                m_failed = true;
                setErrorString(systemError());
            }
        }
        m_pending.clear();
        return !m_failed;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 length) override
    {
        if (m_failed)
            return -1;
        m_pending.append(data, qsizetype(length));
        if (m_pending.size() >= StreamChunk && !drain())
            return -1;
        return length;
    }

private:
    int m_descriptor;
    QByteArray m_pending;
    bool m_failed = false;
};

OutputFile::OutputFile(const QString &path)
    : m_path(path)
{
}

OutputFile::~OutputFile()
{
    cancel();
}

bool OutputFile::fail(const QString &reason)
{
    m_error = reason;
    cancel();
    return false;
}

QIODevice &OutputFile::device()
{
    return *m_stream;
}

bool OutputFile::open()
{
    m_error.clear();
    const QByteArray native = NativeFileName::encode(m_path);
    struct stat status = {};
    if (::stat(native.constData(), &status) != 0) {
        if (errno != ENOENT)
            return fail(systemError());
        return openReplacement(native, false, 0);
    }
    if (S_ISREG(status.st_mode))
        return openReplacement(native, true, status.st_mode);
    if (S_ISCHR(status.st_mode))
        return openDevice(native);
    return fail(InputFile::refusal(status.st_mode));
}

bool OutputFile::openReplacement(const QByteArray &target, bool exists, unsigned mode)
{
    // QSaveFile follows a link to its target and keeps the target's permissions.
    if (QFile::encodeName(m_path) == target) {
        m_saveFile = std::make_unique<QSaveFile>(m_path);
        if (!m_saveFile->open(QIODevice::WriteOnly))
            return fail(m_saveFile->errorString());
        m_stream = std::make_unique<Stream>(m_saveFile->handle());
        return true;
    }

    // A name Qt would spell differently: the same steps, on the name's own bytes.
    m_target = target;
    if (exists) {
        char resolved[PATH_MAX];
        if (::realpath(target.constData(), resolved))
            m_target = QByteArray(resolved);
    }
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        m_temporary = m_target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        m_descriptor = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode);
        if (m_descriptor >= 0)
            break;
        if (errno != EEXIST) {
            m_temporary.clear();
            return fail(systemError());
        }
    }
    if (m_descriptor < 0) {
        m_temporary.clear();
        return fail(qt_error_string(EEXIST));
    }
    if (exists && ::fchmod(m_descriptor, mode & PermissionBits) != 0)
        return fail(systemError());
    m_stream = std::make_unique<Stream>(m_descriptor);
    return true;
}

bool OutputFile::openDevice(const QByteArray &target)
{
    // Non-blocking to open, so that a pipe put in the device's place is
    // refused rather than waited on; blocking to write.
    m_descriptor = ::open(target.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_descriptor < 0)
        return fail(systemError());
    struct stat status = {};
    if (::fstat(m_descriptor, &status) != 0)
        return fail(systemError());
    if (!S_ISCHR(status.st_mode))
        return fail(InputFile::refusal(status.st_mode));
    if (::fcntl(m_descriptor, F_SETFL, ::fcntl(m_descriptor, F_GETFL) & ~O_NONBLOCK) != 0)
        return fail(systemError());
    m_stream = std::make_unique<Stream>(m_descriptor);
    return true;
}

bool OutputFile::commit()
{
    if (!m_stream)
        return fail(qt_error_string(EBADF));
    if (!m_stream->drain())
        return fail(m_stream->errorString());
    if (m_saveFile) {
        if (!m_saveFile->commit())
            return fail(m_saveFile->errorString());
        m_saveFile.reset();
        m_stream.reset();
        return true;
    }
    if (!m_temporary.isEmpty() && ::fsync(m_descriptor) != 0)
        return fail(systemError());
    const int closed = ::close(m_descriptor);
    m_descriptor = -1;
    if (closed != 0)
        return fail(systemError());
    m_stream.reset();
    if (!m_temporary.isEmpty() && ::rename(m_temporary.constData(), m_target.constData()) != 0)
        return fail(systemError());
    m_temporary.clear();
    return true;
}

void OutputFile::closeDescriptor()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}

void OutputFile::cancel()
{
    m_stream.reset();
    if (m_saveFile) {
        m_saveFile->cancelWriting();
        m_saveFile.reset();
    }
    closeDescriptor();
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
}

bool OutputFile::checkWritable(const QString &path, QString *errorString)
{
    OutputFile probe(path);
    if (probe.open())
        return true;
    if (errorString)
        *errorString = probe.errorString();
    return false;
}
