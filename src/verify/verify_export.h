#pragma once

#include <QString>

namespace zolt {
struct Session;
}

namespace zolt::verify {

// Writes VERIFY and the four reference tables as a verification workbook at
// FileName, after copying the workbook there to its backup
// (VerifyExportBackupName). The new workbook replaces the old one only once
// it is complete, so a failed export leaves the old workbook and its backup.
// Reports its own failure; answers whether the workbook was written. Reports
// its progress, and gives up there when the user asks to stop, leaving the
// old workbook as it was.
bool Mdb2Xls(Session &session, const QString &FileName);

// Once the workbook is written, its folios leave VERIFY (rsVerify closed).
void EmptyVerify(Session &session);

}  // namespace zolt::verify
