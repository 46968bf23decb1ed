#include "database_failure.h"

#include "common/file_replace.h"

#include <QDir>
#include <cerrno>
#include <sqlite3.h>

namespace zolt {

QString DatabaseFailureText(int code, const QString &path, const QString &sqliteText, int systemError)
{
    const QString file = QDir::toNativeSeparators(path);
    const int primary = code & 0xff;
    if (primary == SQLITE_FULL || (primary == SQLITE_IOERR && systemError == ENOSPC))
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

}  // namespace zolt
