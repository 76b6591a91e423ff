#include "model/InputFile.h"

#include "model/NativeFileName.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

QString InputFile::refusal(mode_t mode)
{
    if (S_ISDIR(mode))
        return qt_error_string(EISDIR);
    QString kind = QStringLiteral("a special file");
    if (S_ISFIFO(mode))
        kind = QStringLiteral("a named pipe");
    else if (S_ISSOCK(mode))
        kind = QStringLiteral("a socket");
    else if (S_ISBLK(mode))
        kind = QStringLiteral("a block device");
    else if (S_ISCHR(mode))
        kind = QStringLiteral("a character device");
    return QStringLiteral("Not a regular file (%1)").arg(kind);
}

bool InputFile::open(QFile &file, const QString &path, QString *errorString)
{
    const auto fail = [errorString](const QString &reason) {
        if (errorString)
            *errorString = reason;
        return false;
    };
    // Non-blocking, so that opening a FIFO returns at once and can be refused.
    const int fd = ::open(NativeFileName::encode(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(qt_error_string(errno));
    struct stat status = {};
    const bool statted = ::fstat(fd, &status) == 0;
    QString reason;
    if (!statted)
        reason = qt_error_string(errno);
    else if (!S_ISREG(status.st_mode))
        reason = refusal(status.st_mode);
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        reason = qt_error_string(errno);
    else if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        reason = file.errorString();
    if (!reason.isEmpty()) {
        ::close(fd);
        return fail(reason);
    }
    return true;
}
