#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace zolt::test {

// A sheet of a workbook read whole through the reader, for tests that look
// at its cells here and there. Rows and columns count from 1.
class SheetGrid {
public:
    SheetGrid(const QString &path, int position);

    QString cell(int row, int column) const;
    int rowCount() const { return int(m_rows.size()); }  // the last row holding text
    int columnCount() const { return m_columns; }        // the last column holding text
    // Each row's cells up to columnCount(), joined by '|'.
    QStringList rows() const;

private:
    std::vector<QStringList> m_rows;
    int m_columns = 0;
};

}  // namespace zolt::test
