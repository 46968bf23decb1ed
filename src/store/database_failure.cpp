#include "database_failure.h"

#include "common/file_replace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace zolt {

QString DatabaseFailureText(int code, const QString &path, const QString &sqliteText, int systemError)
{
    const QString file = QDir::toNativeSeparators(path);
    const int primary = code & 0xff;
    // A write past the room the file may take (the disk's, a quota, a size
    // limit) is a full disk to the user, as for the files the program writes.
    const bool noRoom = systemError == ENOSPC || systemError == EDQUOT || systemError == EFBIG;
    if (primary == SQLITE_FULL || (primary == SQLITE_IOERR && noRoom))
        return QStringLiteral("No space left on device for the database %1: make room on its disk, then try again.")
            .arg(file);
    switch (primary) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Another program holds the database %1 (it is locked): close that program, or let it "
                              "finish, and try again.")
            .arg(file);
    case SQLITE_READONLY:
        return QStringLiteral("The database %1 is read-only, so Zolt cannot keep its work there: make the file and "
                              "its folder writable, then try again.")
            .arg(file);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("The database %1 is damaged or is no database (%2): put back a copy of it, or a fresh "
                              "one (zolt-batch init-db makes one), then try again.")
            .arg(file, sqliteText);
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        if (systemError != 0)
            return QStringLiteral("The database %1 cannot be read or written: %2 (%3).")
                .arg(file, SystemErrorText(systemError), sqliteText);
        return QStringLiteral("The database %1 cannot be read or written (%2): its disk may be full or failing.")
            .arg(file, sqliteText);
    default:
        return sqliteText;
    }
}

int NoRoomErrorOf(const QString &path)
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        for (const QString &file : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-journal")}) {
            const QFileInfo info(file);
            if (info.exists() && rlim_t(info.size()) >= limit.rlim_cur)
                return EFBIG;
        }
    }
    struct statvfs disk {};
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::statvfs(folder.constData(), &disk) == 0 && (::geteuid() == 0 ? disk.f_bfree : disk.f_bavail) == 0)
        return ENOSPC;
    return 0;
}

}  // namespace zolt
