#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Workbooks written the way a spreadsheet program writes them: through
// libxlsxwriter with shared strings, numbers stored as numbers, cells
// missing where a row has gaps.
namespace zolt::test {

struct FixtureSheet {
    QString name;
    // rows[0] is row 1. A QString cell is written as text, a double or int as
    // a number; an invalid QVariant leaves the cell out.
    QList<QVariantList> rows;
};

// A text cell.
inline QVariant S(const char *text)
{
    return QString::fromLatin1(text);
}

void WriteFixtureWorkbook(const QString &path, const QList<FixtureSheet> &sheets);

// The five sheets with their header rows, data rows to be appended.
QList<FixtureSheet> VerifyFixtureSheets();

// A "Mortgage" row: ACD, company, number, CD, JUR, folio, PID, name, ...
QVariantList MortgageRow(const QVariantList &cells);

// A verification workbook at path: the "Mortgage" rows given (each through
// MortgageRow) under the headers, the other sheets' headers only.
void WriteMortgageWorkbook(const QString &path, const QList<QVariantList> &mortgageRows);

// Three folios of company 0012 in jurisdiction 701 (M-100 SMITH JOHN and
// M-200 MITCHELL ANN in district 05, M-300 BAKER PAT in 06); two districts,
// 05 with its one jurisdiction 701, 06 with none.
void WriteThreeFolioWorkbook(const QString &path);

}  // namespace zolt::test
