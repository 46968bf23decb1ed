// The exported verification workbook as another reader sees it: openpyxl
// checks sheet names, headers, widths, fonts, the text format and that every
// value is text. Skipped where openpyxl is not installed.

#include "support/test_files.h"
#include "support/test_session.h"

#include "store/data_environment.h"
#include "verify/verify_export.h"

#include <QProcess>
#include <QtTest>

using namespace zolt;
using namespace zolt::verify;
using namespace zolt::test;

namespace {

const char *const Check = R"PY(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
problems = []
def expect(what, actual, wanted):
    if actual != wanted:
        problems.append("%s: %r, wanted %r" % (what, actual, wanted))
expect("sheets", wb.sheetnames, ["Mortgage", "Folio Mask", "Collection District", "Jurisdiction",
                                 "Collection Jurisdiction Combo"])
expect("active", wb.active.title, "Mortgage")
layout = {
  "Mortgage": (["ACD", "MORTGAGE CO.", "MORTGAGE NUMBER", "COLLECTION DISTRICT CODE", "JURISDICTION CODE",
                "FOLIO NUMBER", "PROPERTY IDENTIFIER", "NAME", "ADDRESS 1", "ADDRESS 2", "ADDRESS 3",
                "ADDRESS 4", "ADDRESS 5", "LEGAL DESCRIPTION"],
               [4, 13, 16, 25, 18, 19, 20, 44, 30, 30, 30, 30, 30, 42]),
  "Folio Mask": (["JURISDICTION CODE", "FOLIO LENGTH", "FOLIO MASK"], [17, 12, 12]),
  "Collection District": (["COLLECTION DISTRICT CODE", "COLLECTION DISTRICT NAME"], [24, 35]),
  "Jurisdiction": (["JURISDICTION CODE", "JURISDICTION NAME"], [19, 31]),
  "Collection Jurisdiction Combo": (["COLLECTION DISTRICT CODE", "JURISDICTION CODE"], [23, 17]),
}
for name, (headers, widths) in layout.items():
    ws = wb[name]
    for i, (header, width) in enumerate(zip(headers, widths), start=1):
        cell = ws.cell(1, i)
        expect("%s header %d" % (name, i), cell.value, header)
        expect("%s header %d bold" % (name, i), cell.font.b, True)
        expect("%s header %d size" % (name, i), cell.font.sz, 8)
        letter = openpyxl.utils.get_column_letter(i)
        actual = ws.column_dimensions[letter].width
        if actual is None or abs(actual - width) > 1:
            problems.append("%s width %s: %r, wanted about %r" % (name, letter, actual, width))
    for row in ws.iter_rows(min_row=2):
        for cell in row:
            if cell.value is not None and not isinstance(cell.value, str):
                problems.append("%s %s holds %r, not text" % (name, cell.coordinate, cell.value))
ws = wb["Mortgage"]
for i in range(1, 15):
    letter = openpyxl.utils.get_column_letter(i)
    expect("Mortgage column %s format" % letter, ws.column_dimensions[letter].number_format, "@")
for cell in ws[2]:
    if cell.value is not None:
        expect("Mortgage %s format" % cell.coordinate, cell.number_format, "@")
expect("Mortgage D2", ws["D2"].value, "05")
expect("Mortgage F2", ws["F2"].value, "000012345678")
expect("Folio Mask B2", wb["Folio Mask"]["B2"].value, "08")
print("\n".join(problems))
sys.exit(1 if problems else 0)
)PY";

}  // namespace

class TestVerifyOpenpyxl : public QObject {
    Q_OBJECT

private slots:
    void exportedWorkbookReadsInOpenpyxl()
    {
        const QString python = PythonWithOpenpyxl();
        if (python.isEmpty())
            QSKIP("python3 with openpyxl is not installed");
        TestSession t;
        t.exec(QStringLiteral("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, LEGAL, ADDR1) "
                              "VALUES (' ', '0012', '0001', 'A NAME', '05', '010', '000012345678', '123456789', "
                              "'LOT 1', '1 MAIN ST')"));
        t.exec(QStringLiteral("INSERT INTO Fol_Mask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES ('2026', '010', 8, '########')"));
        t.exec(QStringLiteral("INSERT INTO Collection_District VALUES ('05', 'FIVE')"));
        t.exec(QStringLiteral("INSERT INTO Jurisdiction VALUES ('010', 'TEN')"));
        t.exec(QStringLiteral("INSERT INTO CD_JUR VALUES ('05', '010')"));
        const QString out = t.file(QStringLiteral("MortNo.xlsx"));
        QVERIFY(Mdb2Xls(t.session(), out));

        QProcess p;
        p.start(python, {QStringLiteral("-c"), QString::fromUtf8(Check), out});
        QVERIFY(p.waitForFinished(60000));
        const QString said = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        QVERIFY2(p.exitCode() == 0, qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(TestVerifyOpenpyxl)
#include "test_verify_openpyxl.moc"
