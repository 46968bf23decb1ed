#pragma once

#include "row_parser.h"

#include <QString>
#include <QStringView>
#include <memory>

namespace zolt {
template <typename Batch>
class ReadAhead;
}

namespace zolt::workbook {

// One worksheet read row by row, top to bottom, as it is unpacked: the part
// is unpacked and parsed on a thread of its own, a few hundred rows ahead of
// the reader, so a sheet of any length costs the same memory and the rows
// can be worked on while the next ones are read.
//
// Cells read as the text a spreadsheet program would show for them in the
// general format: shared and inline strings, numbers (and dates, which are day
// numbers) in their shortest round-trip form (5, 0.1, 12345678, 45292),
// booleans as TRUE and FALSE, errors as their text (#N/A), formulas as their
// cached value. Elements are matched by local name, so the transitional and
// the strict vocabularies read alike. Rows come in ascending order and each
// cell lies in its row; a sheet that breaks this, or is damaged, throws
// ZoltError (WorkbookUnreadable, naming the workbook at path) where the
// reading meets it.
class SheetRows {
public:
    SheetRows(const QString &path, std::unique_ptr<RowParser> parser);
    ~SheetRows();
    SheetRows(const SheetRows &) = delete;
    SheetRows &operator=(const SheetRows &) = delete;

    // The last row the sheet's dimension names, 0 when it names none; a hint
    // for progress reports, not a promise.
    int announcedRows() const { return m_announcedRows; }

    // Moves to a row (from 1, never above one moved to before) and answers
    // whether the sheet lists it.
    bool moveTo(int row);
    // Moves to the next row the sheet lists; false at the end of the rows.
    bool moveToNextListed();
    // The row moved to.
    int row() const { return m_requested; }

    // A cell of the row moved to, from column 1; empty when the sheet holds
    // no text there. Valid until the next move.
    QStringView cell(int column) const;
    // The last column of the row moved to that holds text; 0 for none.
    int lastFilledColumn() const;

    // Reads the rest of the sheet, checking it as the rows read were checked,
    // up to the end of its part, which checks the part's size and checksum.
    void finish();

private:
    bool holdsRequestedRow() const { return m_held && m_held->number == m_requested; }
    // The next row read, or none at the end.
    void advance();

    QString m_path;
    std::unique_ptr<RowParser> m_parser;  // used by the reading thread only
    int m_announcedRows;
    std::unique_ptr<ReadAhead<RowBatch>> m_reading;
    RowBatch *m_batch = nullptr;
    size_t m_next = 0;  // the row of the batch after the one held
    const RowBatch::Row *m_held = nullptr;  // read ahead of the one requested when it is larger
    bool m_ended = false;
    int m_requested = 0;
};

}  // namespace zolt::workbook
