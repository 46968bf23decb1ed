#pragma once

#include <QString>
#include <QVariant>
#include <span>
#include <vector>

namespace zolt {
class DataEnvironment;
class Recordset;
}
namespace zolt::workbook {
class SheetRows;
}

namespace zolt::verify {

using workbook::SheetRows;

// How a cell of the workbook becomes a stored field value.
enum class LoadRule {
    AsIs,            // the cell unchanged
    Pad,             // the first n characters, padded with blanks to n
    PadUpper,        // the same, upper case
    PadTrim,         // the first n characters, then trimmed
    Trim,            // trimmed
    TwoDigitNumber,  // trimmed, "00" put in front, the last two characters as a number
};

// How a stored field value becomes a cell of the workbook.
enum class ExportRule {
    AsIs,
    Pad,             // the first n characters, padded with blanks to n
    Trim,
    CollapseBlanks,  // trimmed, inner runs of blanks reduced to one
    TwoDigits,       // trimmed, "00" put in front, the last two characters
};

struct Column {
    QString header;
    QString field;
    double width;
    int size;  // n of the Pad rules
    LoadRule load;
    ExportRule written;
    // The writer switches off the "number stored as text" indicator on the
    // column's data cells.
    bool textIndicatorOff;
};

struct Sheet {
    int position;  // 1 to 5
    QString name;
    QString table;
    std::vector<Column> columns;
    // Reference sheets: the columns (from 0) that identify a row; the first
    // row of a key wins.
    std::vector<int> keyColumns;
};

// The columns of the "Mortgage" sheet, from 0.
enum MortgageColumn {
    ColAcd, ColMortco, ColNumber, ColCd, ColJur, ColFolio, ColPid, ColName,
    ColAddr1, ColAddr2, ColAddr3, ColAddr4, ColAddr5, ColLegal, MortgageColumnCount
};

const Sheet &MortgageSheet();
// Sheets 2 to 5 in position order.
const std::vector<Sheet> &ReferenceSheets();

// The value stored from a cell; a number for TwoDigitNumber. Throws
// ZoltError(TypeMismatch) when a folio length is not a number.
QVariant StoredValue(const Column &column, QStringView cell);
// The same for a column stored as text, appended to out.
void AppendStoredText(const Column &column, QStringView cell, QString &out);
QString StoredText(const Column &column, QStringView cell);
// The text written for a stored value (null as empty).
QString WrittenValue(const Column &column, const QVariant &value);
// The same for a stored text in UTF-8, appended to out, when the text is
// plain ASCII; answers false, appending nothing, for any other text, which
// goes through WrittenValue.
bool AppendWrittenAscii(const Column &column, QByteArrayView stored, QByteArray &out);

// The cells of a row in the sheet's columns, from column A; the sheet moves
// to the row.
std::vector<QString> RowCells(const Sheet &sheet, SheetRows &rows, int row);
// A header row has at least one cell equal to its column's caption, exactly.
bool IsHeaderRow(const Sheet &sheet, std::span<const QString> row);
// A blank row has only empty (or blank) cells in the sheet's columns.
bool IsBlankRow(const Sheet &sheet, std::span<const QString> row);

// Where the reading of a sheet ended, and the rows holding data that lie
// below that end, unread.
struct SheetEnd {
    static constexpr int Marks = 3;  // header and blank rows that end a sheet

    int row = 0;              // the row that ended the reading
    bool atBlankRow = false;  // it is a blank row (else a header row)
    int blankRows = 0;        // the blank rows among the Marks
    qint64 rowsLeft = 0;      // rows below it that are neither blank nor a header
    int firstLeft = 0;        // the first and the last of them
    int lastLeft = 0;

    // A header or blank row met at row; answers whether it ends the sheet.
    bool mark(int at, bool blank)
    {
        row = at;
        atBlankRow = blank;
        blankRows += blank ? 1 : 0;
        return ++m_marks >= Marks;
    }

private:
    int m_marks = 0;
};

// Reads the rest of a sheet whose reading ended at end.row, counting the
// rows that hold data into end.
void CountRowsLeft(const Sheet &sheet, SheetRows &rows, SheetEnd &end);

// The named recordset that holds the sheet's table.
Recordset &SheetRecordset(DataEnvironment &de, const Sheet &sheet);

}  // namespace zolt::verify
