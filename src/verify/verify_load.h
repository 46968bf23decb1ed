#pragma once

#include "common/loose_values.h"

#include <QString>

namespace zolt {
struct Session;
}

namespace zolt::verify {

// Where the verification load puts its messages when it reports to a list
// (the return check window, zolt-batch) instead of message boxes.
class VerifyMessageList {
public:
    virtual ~VerifyMessageList() = default;
    virtual void addLine(const QString &line) = 0;
    // The list now holds errors worth printing.
    virtual void enablePrintErrors() = 0;
};

// What a load did. The tables hold the result; callers that only need the
// tables ignore this.
struct VerifyLoadResult {
    bool trapped = false;        // an unexpected error ended the load
    qint64 loaded = 0;           // rows stored in VERIFY
    qint64 notLoaded = 0;        // duplicate and rejected rows
    qint64 formatWarnings = 0;   // warnings issued (at most 3)
    qint64 rowsNotRead = 0;      // rows holding data below the end of a sheet
    bool stopped = false;        // the user stopped the program while it loaded
    LooseValues cutValues;       // cells longer than their fields, stored as their first characters
};

// Empties VERIFY, Fol_Mask, Collection_District, Jurisdiction and CD_JUR and
// fills them from the verification workbook at FileName. With ReportToList
// null every message goes to a message box; otherwise warnings and not-loaded
// rows go to the list only, and the summary, the empty-file error and the
// error trap go to both. Reports its progress through the "Mortgage" sheet,
// and ends there quietly when the user asks to stop.
VerifyLoadResult Xls2Mdb(Session &session, const QString &FileName, VerifyMessageList *ReportToList);

}  // namespace zolt::verify
