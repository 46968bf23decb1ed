#pragma once

#include <QString>
#include <vector>

namespace zolt::workbook {

// One worksheet's cells as text. Rows and columns count from 1; a cell that
// the file does not hold reads as the empty text. Only cells that hold text
// are stored, so memory follows the number of filled cells, not the sheet's
// extent.
class SheetCells {
public:
    QString cell(int row, int column) const;
    int rowCount() const { return int(m_rows.size()); }  // the last row that holds a cell
    int columnCount() const { return m_columns; }         // the last column that holds a cell, over all rows
    qint64 cellCount() const { return m_cellCount; }

    // Used by the reader to fill the sheet. An empty text removes nothing and
    // stores nothing. A second text for the same cell replaces the first.
    void set(int row, int column, const QString &text);

private:
    struct Cell {
        int column;
        QString text;
    };
    using Row = std::vector<Cell>;  // ordered by column

    std::vector<Row> m_rows;  // m_rows[row - 1]
    int m_columns = 0;
    qint64 m_cellCount = 0;
};

}  // namespace zolt::workbook
