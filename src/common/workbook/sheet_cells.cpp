#include "sheet_cells.h"

#include <algorithm>

namespace zolt::workbook {

namespace {

auto findColumn(auto &row, int column)
{
    return std::lower_bound(row.begin(), row.end(), column,
                            [](const auto &cell, int c) { return cell.column < c; });
}

}  // namespace

QString SheetCells::cell(int row, int column) const
{
    if (row < 1 || row > rowCount() || column < 1)
        return QString();
    const Row &cells = m_rows[size_t(row - 1)];
    const auto it = findColumn(cells, column);
    return it != cells.end() && it->column == column ? it->text : QString();
}

void SheetCells::set(int row, int column, const QString &text)
{
    if (row < 1 || column < 1 || text.isEmpty())
        return;
    if (row > rowCount())
        m_rows.resize(size_t(row));
    Row &cells = m_rows[size_t(row - 1)];
    // Files list cells left to right, so appending is the usual case.
    if (cells.empty() || cells.back().column < column) {
        cells.push_back({column, text});
    } else {
        const auto it = findColumn(cells, column);
        if (it != cells.end() && it->column == column) {
            it->text = text;
            return;
        }
        cells.insert(it, {column, text});
    }
    ++m_cellCount;
    m_columns = std::max(m_columns, column);
}

}  // namespace zolt::workbook
