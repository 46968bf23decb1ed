#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringView>
#include <memory>
#include <vector>

namespace zolt::workbook {

class PartStream;
class SharedStrings;
class XmlScanner;

// The cells read so far in a whole workbook, against the most it may hold:
// what bounds the work a file can ask for, whatever its size on disk.
class CellBudget {
public:
    explicit CellBudget(qint64 limit) : m_limit(limit) {}
    void take()
    {
        if (++m_used > m_limit)
            refuse();
    }

private:
    [[noreturn]] void refuse() const;
    qint64 m_limit;
    qint64 m_used = 0;
};

// One worksheet read row by row, top to bottom, as it is unpacked: only the
// row being read is held, so a sheet of any length costs the same memory.
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
    // Cells right of lastColumn are counted and checked, but their text is
    // not made. Throws WorkbookProblem.
    SheetRows(const QString &path, std::unique_ptr<PartStream> part, const SharedStrings &strings, int lastColumn,
              CellBudget &budget);
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
    struct Cell {
        int column;
        qsizetype start;  // in m_text
        qsizetype size;
    };

    // Appends a text to m_text as UTF-16.
    void appendText(QByteArrayView utf8);

    bool readRow();
    void parseRow();
    void readCell(bool &ordered);
    // The cell's value as UTF-8, from the buffers of readCell. Without
    // textWanted it is only checked.
    QByteArrayView cellValue(int type, bool textWanted);
    void sortCells();
    bool holdsRequestedRow() const { return m_rowNumber == m_requested; }

    QString m_path;
    std::unique_ptr<PartStream> m_part;
    std::unique_ptr<XmlScanner> m_xml;
    const SharedStrings &m_strings;
    int m_lastColumn;
    CellBudget &m_budget;
    int m_announcedRows = 0;
    bool m_ended = false;  // no more rows

    int m_requested = 0;
    int m_rowNumber = 0;  // the row held, read ahead of the one requested when it is larger
    int m_column = 0;     // of the last cell read
    int m_cellsInRow = 0;
    std::vector<Cell> m_cells;      // of the row held, by column
    std::vector<char16_t> m_text;  // their texts, one after another, in the first m_textSize units
    qsizetype m_textSize = 0;

    QByteArray m_value;   // <v> of the cell being read
    QByteArray m_inline;  // <is> of the cell being read
    QByteArray m_scratch;
    QStringDecoder m_toUtf16{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};

}  // namespace zolt::workbook
