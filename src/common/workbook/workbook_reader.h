#pragma once

#include "sheet_cells.h"

#include <QString>
#include <memory>

namespace zolt::workbook {

// Reads an .xlsx workbook (a zip of XML parts) without any spreadsheet
// program. Sheets are addressed by their position in the workbook (from 1),
// in the order the workbook lists them.
//
// Cells read as the text a spreadsheet program would show for them in the
// general format: numbers (and dates, which are day numbers) in their
// shortest round-trip form (5, 0.1, 12345678, 45292), booleans as TRUE and
// FALSE, errors as their text (#N/A), formulas as their cached value.
//
// Every failure throws ZoltError: FileNotFound for a missing file,
// WorkbookUnreadable for anything that is not a readable workbook (a legacy
// .xls, a text file, a damaged zip), naming the file and what is wrong.
class WorkbookReader {
public:
    static std::unique_ptr<WorkbookReader> open(const QString &path);
    ~WorkbookReader();

    QString path() const;
    int sheetCount() const;
    QString sheetName(int position) const;
    // The sheet's cells, read on first use. Throws for a position that does
    // not exist.
    const SheetCells &sheet(int position);

private:
    WorkbookReader();
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace zolt::workbook
