#include "xlsx_fixture.h"

#include <QFile>
#include <stdexcept>
#include <xlsxwriter.h>

namespace zolt::test {

void WriteFixtureWorkbook(const QString &path, const QList<FixtureSheet> &sheets)
{
    QFile::remove(path);
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook *workbook = workbook_new(file.constData());
    if (!workbook)
        throw std::runtime_error("cannot create the fixture workbook");
    for (const FixtureSheet &sheet : sheets) {
        lxw_worksheet *ws = workbook_add_worksheet(workbook, sheet.name.toUtf8().constData());
        for (int r = 0; r < sheet.rows.size(); ++r) {
            for (int c = 0; c < sheet.rows[r].size(); ++c) {
                const QVariant &v = sheet.rows[r][c];
                if (!v.isValid())
                    continue;
                if (v.typeId() == QMetaType::QString)
                    worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), v.toString().toUtf8().constData(), nullptr);
                else
                    worksheet_write_number(ws, lxw_row_t(r), lxw_col_t(c), v.toDouble(), nullptr);
            }
        }
    }
    if (workbook_close(workbook) != LXW_NO_ERROR)
        throw std::runtime_error("cannot write the fixture workbook");
}

QList<FixtureSheet> VerifyFixtureSheets()
{
    auto texts = [](std::initializer_list<const char *> list) {
        QVariantList row;
        for (const char *s : list)
            row << QString::fromLatin1(s);
        return row;
    };
    return {
        {QStringLiteral("Mortgage"),
         {texts({"ACD", "MORTGAGE CO.", "MORTGAGE NUMBER", "COLLECTION DISTRICT CODE", "JURISDICTION CODE",
                 "FOLIO NUMBER", "PROPERTY IDENTIFIER", "NAME", "ADDRESS 1", "ADDRESS 2", "ADDRESS 3",
                 "ADDRESS 4", "ADDRESS 5", "LEGAL DESCRIPTION"})}},
        {QStringLiteral("Folio Mask"), {texts({"JURISDICTION CODE", "FOLIO LENGTH", "FOLIO MASK"})}},
        {QStringLiteral("Collection District"), {texts({"COLLECTION DISTRICT CODE", "COLLECTION DISTRICT NAME"})}},
        {QStringLiteral("Jurisdiction"), {texts({"JURISDICTION CODE", "JURISDICTION NAME"})}},
        {QStringLiteral("Collection Jurisdiction Combo"), {texts({"COLLECTION DISTRICT CODE", "JURISDICTION CODE"})}},
    };
}

QVariantList MortgageRow(const QVariantList &cells)
{
    QVariantList row = cells;
    while (row.size() < 14)
        row << QVariant();
    return row;
}

void WriteMortgageWorkbook(const QString &path, const QList<QVariantList> &mortgageRows)
{
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    for (const QVariantList &row : mortgageRows)
        sheets[0].rows << MortgageRow(row);
    WriteFixtureWorkbook(path, sheets);
}

void WriteThreeFolioWorkbook(const QString &path)
{
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    sheets[0].rows << MortgageRow({S(" "), S("0012"), S("M-100"), S("05"), S("701"), S("12345678"), S(""), S("SMITH JOHN")})
                   << MortgageRow({S(" "), S("0012"), S("M-200"), S("05"), S("701"), S("22222222"), S(""), S("MITCHELL ANN")})
                   << MortgageRow({S(" "), S("0012"), S("M-300"), S("06"), S("701"), S("33333333"), S(""), S("BAKER PAT")});
    sheets[1].rows << QVariantList{S("701"), 8.0, S("###-#####")};
    sheets[2].rows << QVariantList{S("05"), S("NORTH")} << QVariantList{S("06"), S("SOUTH")};
    sheets[3].rows << QVariantList{S("701"), S("HILLTOWN")};
    sheets[4].rows << QVariantList{S("05"), S("701")};
    WriteFixtureWorkbook(path, sheets);
}

}  // namespace zolt::test
