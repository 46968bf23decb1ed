#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace zolt {

// One worksheet's cells as text. Rows and columns count from 1; a cell that
// the file does not hold reads as the empty text.
class SheetCells {
public:
    QString cell(int row, int column) const;
    int rowCount() const;      // the last row that holds a cell
    int columnCount() const;   // the last column that holds a cell, over all rows

    // Used by the reader to fill the sheet.
    void set(int row, int column, const QString &text);

private:
    std::vector<std::vector<QString>> m_rows;  // m_rows[row-1][column-1]
    int m_columns = 0;
};

// Reads an .xlsx workbook (a zip of XML parts) without any spreadsheet
// program. Sheets are addressed by their position in the workbook (from 1),
// in the order the workbook lists them.
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

}  // namespace zolt
