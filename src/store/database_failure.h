#pragma once

#include <QString>

namespace zolt {

// What a failure of the database means to the user, naming its file: another
// program holding it locked, a read-only or damaged file, a full disk, a
// read or write the system refused. code is SQLite's (extended) result code,
// sqliteText SQLite's words, systemError the errno behind an I/O failure (0
// when none). Failures of another kind (a constraint) keep SQLite's words.
QString DatabaseFailureText(int code, const QString &path, const QString &sqliteText, int systemError);

// The system error behind a failed write of the database at path when SQLite
// lost it (a failed commit reports none): EFBIG when the database or its log
// has reached the size this process may write, ENOSPC when its disk has no
// room left; 0 when neither.
int NoRoomErrorOf(const QString &path);

}  // namespace zolt
