#pragma once

#include "common/file_backup.h"

#include <QString>

namespace zolt::verify {

// The export's own backup of the workbook it replaces: a name ending ".xlsx"
// (in any case) ends ".bak" instead, any other name gets ".bak" appended.
QString VerifyExportBackupName(const QString &fileName);

// The verification task's backup of the chosen workbook: a name ending
// ".zolt" (in any case) ends "bak" instead, any other gets ".bak" appended.
QString VerifyTaskBackupName(const QString &fileName);

// Replaces the backup by a copy of the file, undone unless kept (SaveBackup).
// A missing or empty file leaves the backup alone, and so does a copy that
// fails, which is logged: the callers go on without a new backup.
[[nodiscard]] SaveBackup BackUpBeforeWriting(const QString &fileName, const QString &backupName);

}  // namespace zolt::verify
