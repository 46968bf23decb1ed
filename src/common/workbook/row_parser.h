#pragma once

#include <QByteArray>
#include <QStringDecoder>
#include <QStringView>
#include <functional>
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

// Rows of a worksheet as the parser hands them on, some hundreds at a time.
struct RowBatch {
    struct Cell {
        int column;
        qsizetype start;  // in text
        qsizetype size;
    };
    struct Row {
        int number;
        qsizetype firstCell;  // in cells
        qsizetype cellCount;  // ordered by column
    };

    std::vector<char16_t> text;  // the cells' texts, one after another, in the first textSize units
    qsizetype textSize = 0;
    std::vector<Cell> cells;
    std::vector<Row> rows;

    void clear()
    {
        textSize = 0;
        cells.clear();
        rows.clear();
    }
    QStringView cellText(const Cell &cell) const { return QStringView(text.data() + cell.start, cell.size); }
};

// Parses the rows of a worksheet part into batches (see SheetRows for what
// the cells read as and what is refused). Reading the part's beginning up to
// its rows happens at construction; fill() then reads on.
class RowParser {
public:
    // Cells right of lastColumn are counted and checked, but their text is
    // not made. Throws WorkbookProblem.
    RowParser(std::unique_ptr<PartStream> part, const SharedStrings &strings, int lastColumn, CellBudget &budget);
    ~RowParser();
    RowParser(const RowParser &) = delete;
    RowParser &operator=(const RowParser &) = delete;

    // The last row the sheet's dimension names, 0 when it names none.
    int announcedRows() const { return m_announcedRows; }

    // Fills the batch with the next rows; answers false once the rows and the
    // rest of the part have been read, which checks the part's size and
    // checksum. Stops early when stopping() answers true. Throws
    // WorkbookProblem.
    bool fill(RowBatch &batch, const std::function<bool()> &stopping);

private:
    bool readRow(RowBatch &batch);
    void parseRow(RowBatch &batch);
    void readCell(RowBatch &batch, bool &ordered);
    // The cell's value as UTF-8, from the buffers of readCell. Without
    // textWanted it is only checked.
    QByteArrayView cellValue(int type, bool textWanted);
    void appendText(RowBatch &batch, QByteArrayView utf8);

    std::unique_ptr<PartStream> m_part;
    std::unique_ptr<XmlScanner> m_xml;
    const SharedStrings &m_strings;
    int m_lastColumn;
    CellBudget &m_budget;
    int m_announcedRows = 0;
    bool m_rowsEnded = false;

    int m_rowNumber = 0;  // of the last row read
    int m_column = 0;     // of the last cell read
    int m_cellsInRow = 0;
    qsizetype m_firstCell = 0;  // of the row being read, in its batch
    QByteArray m_value;   // <v> of the cell being read
    QByteArray m_inline;  // <is> of the cell being read
    QByteArray m_scratch;
    QStringDecoder m_toUtf16{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};

}  // namespace zolt::workbook
