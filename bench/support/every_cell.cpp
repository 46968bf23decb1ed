#include "every_cell.h"

#include "common/workbook/workbook_reader.h"

namespace zolt::bench {

qint64 ReadEveryCell(const QString &path)
{
    auto reader = workbook::WorkbookReader::open(path);
    qint64 cells = 0;
    for (int sheet = 1; sheet <= reader->sheetCount(); ++sheet) {
        workbook::SheetRows &rows = reader->rows(sheet);
        while (rows.moveToNextListed()) {
            for (int column = 1; column <= rows.lastFilledColumn(); ++column)
                cells += rows.cell(column).isEmpty() ? 0 : 1;
        }
        rows.finish();
    }
    return cells;
}

}  // namespace zolt::bench
