#pragma once

#include "cell_text.h"
#include "sheet_rows.h"

#include <QString>
#include <memory>

namespace zolt::workbook {

// Reads an .xlsx workbook (a zip of XML parts) without any spreadsheet
// program. Sheets are addressed by their position in the workbook (from 1),
// in the order the workbook lists them, and read row by row (SheetRows).
//
// What a file may ask of the reader is bounded, so that a hostile file is
// refused in seconds and with little memory: no part unpacks to more than
// ZipArchive::MaxPartSize, elements nest at most XmlScanner::MaxDepth deep,
// the sheets read hold at most MaxCells cells between them, a row at most a
// cell per column and a cell at most MaxCellText characters.
//
// Every failure throws ZoltError: FileNotFound for a missing file,
// WorkbookUnreadable for anything that is not a readable workbook (a legacy
// .xls, a text file, a damaged zip, a limit passed), naming the file and what
// is wrong.
class WorkbookReader {
public:
    static constexpr qint64 MaxCells = 10'000'000;

    static std::unique_ptr<WorkbookReader> open(const QString &path);
    ~WorkbookReader();

    QString path() const;
    int sheetCount() const;
    QString sheetName(int position) const;
    // Starts reading the sheet at position, ending the reading of the sheet
    // read before. Cells right of lastColumn are passed over. Throws for a
    // position that does not exist.
    SheetRows &rows(int position, int lastColumn = MaxSheetColumns);

private:
    WorkbookReader();
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace zolt::workbook
