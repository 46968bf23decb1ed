#pragma once

#include <QString>

namespace zolt {

// Puts a finished file in the place of target in one step: its bytes are
// flushed to disk, it is renamed over target (replacing a file there), and
// the folder is flushed after. A crash at any moment leaves target either as
// it was or holding the whole new file, never an empty one.
// Answers 0 when done, else the system's error code (errno); the finished
// file is then still there for the caller to remove.
int MoveIntoPlace(const QString &finished, const QString &target);

// The program's error number for a system error code: DiskFull for a full
// disk or a file size limit, PermissionDenied for a refusal, else FileAccess.
int ErrorNumberOfSystemError(int code);

// The system's words for an error code.
QString SystemErrorText(int code);

}  // namespace zolt
