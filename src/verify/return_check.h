#pragma once

#include "verify_load.h"

#include <QString>

namespace zolt {
struct Session;
}

namespace zolt::verify {

// The lines the return check adds to its message list.
namespace ReturnMessage {
inline const QString NothingLoaded = QStringLiteral("There is nothing in the selected file!");
inline const QString CheckTheFile = QStringLiteral("Check if this is the file that you want to upload");
}  // namespace ReturnMessage

// What a return check did.
struct ReturnCheckResult {
    VerifyLoadResult load;
    qint64 folios = 0;      // rows in VERIFY after the load
    QString verifiedPath;   // the verified file written; empty when none was
};

// Where the verified file of a returned workbook goes: beside the workbook.
QString VerifiedFilePath(const QString &workbookPath);

// Checks a verification workbook returned by a mortgage company: removes a
// verified file an earlier check left beside it, loads it in list mode (every
// warning and rejected row on the list), and when it holds folios writes
// them to the verified file beside it (WriteVerifiedFile). The list says
// whether anything was loaded, and where the verified file was written or
// why it could not be.
ReturnCheckResult CheckReturnedWorkbook(Session &session, const QString &workbookPath, VerifyMessageList &list);

}  // namespace zolt::verify
