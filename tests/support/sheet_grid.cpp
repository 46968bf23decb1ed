#include "sheet_grid.h"

#include "common/workbook/workbook_reader.h"

namespace zolt::test {

SheetGrid::SheetGrid(const QString &path, int position)
{
    auto reader = workbook::WorkbookReader::open(path);
    workbook::SheetRows &rows = reader->rows(position);
    while (rows.moveToNextListed()) {
        const int last = rows.lastFilledColumn();
        if (last == 0)
            continue;
        if (rows.row() > rowCount())
            m_rows.resize(size_t(rows.row()));
        QStringList &cells = m_rows[size_t(rows.row() - 1)];
        for (int column = 1; column <= last; ++column)
            cells << rows.cell(column).toString();
        m_columns = std::max(m_columns, last);
    }
    rows.finish();
}

QString SheetGrid::cell(int row, int column) const
{
    if (row < 1 || row > rowCount())
        return QString();
    return m_rows[size_t(row - 1)].value(column - 1);
}

QStringList SheetGrid::rows() const
{
    QStringList lines;
    for (int row = 1; row <= rowCount(); ++row) {
        QStringList line;
        for (int column = 1; column <= m_columns; ++column)
            line << cell(row, column);
        lines << line.join(QLatin1Char('|'));
    }
    return lines;
}

}  // namespace zolt::test
