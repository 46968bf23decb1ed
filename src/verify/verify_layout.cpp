#include "verify_layout.h"

#include "common/errors.h"
#include "common/number_format.h"
#include "common/text_utils.h"
#include "common/workbook/sheet_rows.h"
#include "store/data_environment.h"

#include <algorithm>
#include <cmath>

namespace zolt::verify {
namespace {

Column column(const char *header, const char *field, double width, int size, LoadRule load,
                ExportRule written, bool textIndicatorOff = false)
{
    return {QString::fromLatin1(header), QString::fromLatin1(field), width, size, load, written,
            textIndicatorOff};
}

QString lastTwo(const QString &text)
{
    return (QStringLiteral("00") + TrimBlanks(text)).right(2);
}

}  // namespace

const Sheet &MortgageSheet()
{
    using L = LoadRule;
    using E = ExportRule;
    static const Sheet sheet{
        1, QStringLiteral("Mortgage"), QStringLiteral("VERIFY"),
        {
            column("ACD", "ACD", 4, 1, L::PadUpper, E::Pad),
            column("MORTGAGE CO.", "MORTCO", 13, 4, L::PadUpper, E::Pad),
            column("MORTGAGE NUMBER", "NUMBER", 16, 12, L::PadTrim, E::Trim, true),
            column("COLLECTION DISTRICT CODE", "CD", 25, 2, L::Pad, E::Pad, true),
            column("JURISDICTION CODE", "JUR", 18, 3, L::Pad, E::Pad, true),
            column("FOLIO NUMBER", "FOLIO", 19, 18, L::PadTrim, E::Trim, true),
            column("PROPERTY IDENTIFIER", "PID", 20, 9, L::PadTrim, E::Trim, true),
            column("NAME", "NAME", 44, 70, L::PadUpper, E::CollapseBlanks),
            column("ADDRESS 1", "ADDR1", 30, 30, L::PadUpper, E::CollapseBlanks),
            column("ADDRESS 2", "ADDR2", 30, 30, L::PadUpper, E::CollapseBlanks),
            column("ADDRESS 3", "ADDR3", 30, 30, L::PadUpper, E::CollapseBlanks),
            column("ADDRESS 4", "ADDR4", 30, 30, L::PadUpper, E::CollapseBlanks),
            column("ADDRESS 5", "ADDR5", 30, 30, L::PadUpper, E::CollapseBlanks),
            column("LEGAL DESCRIPTION", "LEGAL", 42, 32, L::PadUpper, E::CollapseBlanks),
        },
        {}};
    return sheet;
}

const std::vector<Sheet> &ReferenceSheets()
{
    using L = LoadRule;
    using E = ExportRule;
    static const std::vector<Sheet> sheets{
        {2, QStringLiteral("Folio Mask"), QStringLiteral("Fol_Mask"),
         {column("JURISDICTION CODE", "JUR_CD", 17, 0, L::AsIs, E::AsIs, true),
          column("FOLIO LENGTH", "FOLIO_LEN", 12, 0, L::TwoDigitNumber, E::TwoDigits, true),
          column("FOLIO MASK", "FOLIO_MASK", 12, 0, L::Trim, E::AsIs)},
         {0}},
        {3, QStringLiteral("Collection District"), QStringLiteral("Collection_District"),
         {column("COLLECTION DISTRICT CODE", "Collection_District_Code", 24, 2, L::Pad, E::Pad, true),
          column("COLLECTION DISTRICT NAME", "Collection_District_Name", 35, 0, L::Trim, E::Trim)},
         {0}},
        {4, QStringLiteral("Jurisdiction"), QStringLiteral("Jurisdiction"),
         {column("JURISDICTION CODE", "Jurisdiction_Code", 19, 3, L::Pad, E::Pad, true),
          column("JURISDICTION NAME", "Jurisdiction_Name", 31, 0, L::Trim, E::Trim)},
         {0}},
        {5, QStringLiteral("Collection Jurisdiction Combo"), QStringLiteral("CD_JUR"),
         {column("COLLECTION DISTRICT CODE", "Collection_District_Code", 23, 2, L::Pad, E::Pad, true),
          column("JURISDICTION CODE", "Jurisdiction_Code", 17, 3, L::Pad, E::Pad, true)},
         {0, 1}},
    };
    return sheets;
}

void AppendStoredText(const Column &column, QStringView cell, QString &out)
{
    switch (column.load) {
    case LoadRule::Pad:
        AppendPadCut(cell, column.size, out);
        return;
    case LoadRule::PadUpper:
        AppendPadCut(cell, column.size, out, LetterCase::Upper);
        return;
    case LoadRule::PadTrim:
        out.append(BlankTrimmed(cell.first(std::min<qsizetype>(column.size, cell.size()))));
        return;
    case LoadRule::Trim:
        out.append(BlankTrimmed(cell));
        return;
    case LoadRule::AsIs:
    case LoadRule::TwoDigitNumber:
        break;
    }
    out.append(cell);
}

QString StoredText(const Column &column, QStringView cell)
{
    QString text;
    AppendStoredText(column, cell, text);
    return text;
}

QVariant StoredValue(const Column &column, QStringView cell)
{
    if (column.load != LoadRule::TwoDigitNumber)
        return StoredText(column, cell);
    const QString digits = lastTwo(cell.toString());
    if (!IsNumeric(digits))
        throw ZoltError(ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch"));
    return qlonglong(std::llround(NumericTextValue(digits)));
}

QString WrittenValue(const Column &column, const QVariant &value)
{
    QString text = value.isNull() ? QString() : value.toString();
    switch (column.written) {
    case ExportRule::AsIs:
        return text;
    case ExportRule::Pad: {
        QString padded;
        AppendPadCut(text, column.size, padded);
        return padded;
    }
    case ExportRule::Trim:
        return TrimBlanks(text);
    case ExportRule::CollapseBlanks:
        return CollapseBlanks(text);
    case ExportRule::TwoDigits:
        return lastTwo(text);
    }
    return text;
}

bool AppendWrittenAscii(const Column &column, QByteArrayView stored, QByteArray &out)
{
    if (!IsAscii(stored))
        return false;
    switch (column.written) {
    case ExportRule::AsIs:
        out.append(stored);
        return true;
    case ExportRule::Pad: {
        const qsizetype size = std::max(column.size, 0);
        const qsizetype kept = std::min(size, stored.size());
        out.append(stored.first(kept));
        out.append(size - kept, ' ');
        return true;
    }
    case ExportRule::Trim:
        out.append(BlankTrimmed(stored));
        return true;
    case ExportRule::CollapseBlanks: {
        // Each blank that follows a blank is left out.
        const QByteArrayView text = BlankTrimmed(stored);
        qsizetype from = 0;
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (text[i] == ' ' && text[i - 1] == ' ') {
                out.append(text.sliced(from, i - from));
                from = i + 1;
            }
        }
        out.append(text.sliced(from));
        return true;
    }
    case ExportRule::TwoDigits: {
        const QByteArrayView digits = BlankTrimmed(stored);
        if (digits.size() < 2)
            out.append(2 - digits.size(), '0');
        out.append(digits.last(std::min<qsizetype>(2, digits.size())));
        return true;
    }
    }
    return false;
}

std::vector<QString> RowCells(const Sheet &sheet, SheetRows &rows, int row)
{
    rows.moveTo(row);
    std::vector<QString> values;
    values.reserve(sheet.columns.size());
    for (size_t c = 0; c < sheet.columns.size(); ++c)
        values.push_back(rows.cell(int(c) + 1).toString());
    return values;
}

bool IsHeaderRow(const Sheet &sheet, std::span<const QString> row)
{
    for (size_t c = 0; c < sheet.columns.size() && c < row.size(); ++c) {
        if (row[c] == sheet.columns[c].header)
            return true;
    }
    return false;
}

bool IsBlankRow(const Sheet &sheet, std::span<const QString> row)
{
    for (size_t c = 0; c < sheet.columns.size() && c < row.size(); ++c) {
        if (!TrimBlanks(row[c]).isEmpty())
            return false;
    }
    return true;
}

void CountRowsLeft(const Sheet &sheet, SheetRows &rows, SheetEnd &end)
{
    while (rows.moveToNextListed()) {
        const std::vector<QString> cells = RowCells(sheet, rows, rows.row());
        if (IsBlankRow(sheet, cells) || IsHeaderRow(sheet, cells))
            continue;
        if (end.rowsLeft++ == 0)
            end.firstLeft = rows.row();
        end.lastLeft = rows.row();
    }
}

Recordset &SheetRecordset(DataEnvironment &de, const Sheet &sheet)
{
    switch (sheet.position) {
    case 2: return de.rsFol_Mask();
    case 3: return de.rsCollection_District();
    case 4: return de.rsJurisdiction();
    case 5: return de.rsCD_JUR();
    default: return de.rsVerify();
    }
}

}  // namespace zolt::verify
