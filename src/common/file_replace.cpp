#include "file_replace.h"

#include "errors.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zolt {
namespace {

// Flushes a file's (or a folder's) data to disk; answers 0 or errno.
int flushToDisk(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

}  // namespace

int MoveIntoPlace(const QString &finished, const QString &target)
{
    const QByteArray from = QFile::encodeName(finished);
    if (const int error = flushToDisk(from, O_RDONLY))
        return error;
    if (std::rename(from.constData(), QFile::encodeName(target).constData()) != 0)
        return errno;
    // The rename is done; a folder that cannot be flushed (some file systems
    // refuse) changes nothing about that, so its failure is not reported.
    flushToDisk(QFile::encodeName(QFileInfo(target).absolutePath()), O_RDONLY | O_DIRECTORY);
    return 0;
}

int ErrorNumberOfSystemError(int code)
{
    switch (code) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return ErrorNumber::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorNumber::PermissionDenied;
    default:
        return ErrorNumber::FileAccess;
    }
}

QString SystemErrorText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

}  // namespace zolt
