#pragma once

#include <QByteArrayView>
#include <QString>

namespace zolt::workbook {

// The shortest text that reads back as the same double: 5, 0.1, 12345678.
// Magnitudes from 0.000001 up to below 1E+21 are written without an exponent;
// others as 1.5E+21 or 2.5E-07. Negative zero is written 0.
QString ShortestNumberText(double value);

// A number cell's stored value as text. A value that is not a finite number
// comes back unchanged.
QString NumberCellText(QByteArrayView stored);

// Undoes the _xHHHH_ escapes that spreadsheet files use for control
// characters in strings (_x000D_ is a carriage return, _x005F_ an underscore).
QString DecodeEscapedCharacters(const QString &text);

// A cell reference such as "B12" or "AA3" split into its 1-based column and
// row. A reference without digits gives row 0. Answers false for anything
// else, or for a column or row beyond the largest a sheet can hold.
struct CellReference {
    int column = 0;
    int row = 0;
};
bool ParseCellReference(QByteArrayView text, CellReference &out);

constexpr int MaxSheetRows = 1048576;
constexpr int MaxSheetColumns = 16384;

}  // namespace zolt::workbook
