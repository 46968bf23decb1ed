#pragma once

#include "workbook_reader.h"

#include <QString>
#include <memory>

namespace zolt::workbook {

// The workbook the verification load works on: the open workbook, its current
// worksheet and the file name. Callers own it; there is no global one.
struct SpreadsheetState {
    std::unique_ptr<WorkbookReader> workbook;
    int currentSheet = 0;  // 0: no current worksheet
    QString fileName;
    // Why the last OpenWorkbook failed, reported at the first use.
    int failureNumber = 0;
    QString failureText;
};

// Opens the workbook at path and makes its first worksheet the current one,
// closing any workbook open before. Errors are ignored: a workbook that cannot
// be opened leaves no current worksheet, and the first use of the state
// throws the reason.
void OpenWorkbook(SpreadsheetState &state, const QString &path);

// Closes the workbook without saving anything. Closing when nothing is open
// does nothing.
void CloseWorkbook(SpreadsheetState &state);

// Makes the sheet at position (from 1) the current worksheet. Throws
// ZoltError when no workbook is open or it has no such sheet.
void SelectWorksheet(SpreadsheetState &state, int position);

// Starts reading the current worksheet row by row (WorkbookReader::rows).
// Throws ZoltError when no workbook is open, with the reason the last
// OpenWorkbook failed when it did.
SheetRows &ReadCurrentWorksheet(SpreadsheetState &state, int lastColumn = MaxSheetColumns);

}  // namespace zolt::workbook
