#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zolt::workbook {

// Appends the shortest text that reads back as the same double: 5, 0.1,
// 12345678. Magnitudes from 0.000001 up to below 1E+21 are written without an
// exponent; others as 1.5E+21 or 2.5E-07. Negative zero is written 0.
void AppendShortestNumber(double value, QByteArray &out);

// Appends a number cell's stored value as text; a value that is not a finite
// number is appended unchanged.
void AppendNumberCellText(QByteArrayView stored, QByteArray &out);

// Undoes, from position from on, the _xHHHH_ escapes that spreadsheet files
// use in strings for characters XML cannot carry (_x000D_ is a carriage
// return, _x005F_ an underscore); the text is UTF-8. An escaped NUL is
// dropped: no text of the program can hold one. An escaped surrogate without
// its partner becomes U+FFFD.
void DecodeEscapedCharacters(QByteArray &text, qsizetype from = 0);

// The text as a workbook can hold it: what _xHHHH_ escapes would be read as
// escapes keeps its underscore as an escape of its own (_x005F_), and the
// characters no workbook can hold (NUL, U+FFFE, U+FFFF) are dropped, so that
// the rest of the text survives.
QString EscapeForWorkbook(const QString &text);
// A UTF-8 text that EscapeForWorkbook would leave as it is, for certain:
// plain ASCII without NUL and without an _x that could start an escape.
bool IsPlainForWorkbook(QByteArrayView utf8);

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
// The most characters a cell holds in a spreadsheet program; a longer text
// is not read.
constexpr qsizetype MaxCellText = 32767;
// The same in UTF-8, which takes up to three bytes for a UTF-16 unit.
constexpr qsizetype MaxCellTextBytes = 3 * MaxCellText;

}  // namespace zolt::workbook
