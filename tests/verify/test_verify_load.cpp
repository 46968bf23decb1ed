// The verification workbook load: what it stores, what it says and when it stops.

#include "common/workbook/zip_fixture.h"
#include "common/clock.h"
#include "verify_test_support.h"
#include "xlsx_fixture.h"

#include "common/errors.h"
#include "store/data_environment.h"
#include "verify/verify_load.h"

#include <QDate>
#include <QFile>
#include <QtTest>

using namespace zolt;
using namespace zolt::verify;
using namespace zolt::test;

namespace {

const QString Note = QStringLiteral("NOTE: The program only issues the first 3 warnings.");

QString workbookWithRows(TestSession &t, const QList<QVariantList> &mortgageRows,
                         const QString &name = QStringLiteral("MortNo1.xlsx"))
{
    const QString path = t.file(name);
    WriteMortgageWorkbook(path, mortgageRows);
    return path;
}

// A row of inline-string cells, from column A.
QByteArray inlineRow(int row, const QStringList &cells)
{
    QByteArray xml = "<row r=\"" + QByteArray::number(row) + "\">";
    for (const QString &cell : cells)
        xml += "<c t=\"inlineStr\"><is><t>" + cell.toUtf8() + "</t></is></c>";
    return xml + "</row>";
}

// A verification workbook written by hand: the header, folios 1 to count,
// then the rows given, and the reference sheets' headers.
std::map<QString, QByteArray> handMadeWorkbook(int count, const QByteArray &moreRows)
{
    QByteArray mortgage = inlineRow(1, {"ACD", "MORTGAGE CO.", "MORTGAGE NUMBER", "COLLECTION DISTRICT CODE"});
    for (int i = 1; i <= count; ++i)
        mortgage += inlineRow(i + 1, {" ", "0001", "N" + QString::number(i), "05", "010", QString::number(i)});
    std::vector<std::pair<QString, QByteArray>> sheets{{"Mortgage", WorksheetXml(mortgage + moreRows)}};
    for (const char *name : {"Folio Mask", "Collection District", "Jurisdiction", "Combo"})
        sheets.emplace_back(name, WorksheetXml(inlineRow(1, {"JURISDICTION CODE", "JURISDICTION NAME"})));
    return MinimalWorkbook(sheets, "<sst><si><t>x</t></si></sst>");
}

}  // namespace

class TestVerifyLoad : public QObject {
    Q_OBJECT

private slots:
    void workbookOfAnotherWriterLoads();
    void onlyTheFirstThreeWarningsAreIssued();
    void duplicateAndRejectedRowsWithTheirMessageLimit();
    void emptySheetAndEndOfSheet();
    void rowsBelowTheEndOfASheetAreSaid();
    void unreadableWorkbookAndRefusedRowGoThroughTheTrap();
    void workbookFoundUnreadablePartWayKeepsNothing();
    void aHundredThousandRowsLoad();
};

void TestVerifyLoad::workbookOfAnotherWriterLoads()
{
    TestSession t;
    t.exec(QStringLiteral("INSERT INTO VERIFY (MORTCO) VALUES ('OLD')"));
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    // A title above the header, numbers in code columns, cells left out.
    sheets[0].rows.prepend({S("MORTGAGE VERIFICATION FILE")});
    sheets[0].rows << MortgageRow({S("a"), S("ab"), S("N-1"), 5.0, 7.0, 12345678.0, QVariant(), S("john smith"),
                                   S("1 main st")});
    sheets[0].rows << MortgageRow({QVariant(), S("001234"), S("M2"), S("05"), S("010"), S("000000000000000042"),
                                   QVariant(), S("X"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                                   S("lot 4")});
    sheets[1].rows << QVariantList{S("010"), 8.0, S("###-#####")} << QVariantList{7.0, 5.0, S("#####")}
                   << QVariantList{S("010"), 9.0, S("ignored")} << QVariantList{S("011"), S("123"), S("#")};
    sheets[2].rows << QVariantList{5.0, S(" District Five ")} << QVariantList{S("123"), S("Long")};
    sheets[3].rows << QVariantList{S("010"), S("Ten")} << QVariantList{7.0, S("Seven")};
    sheets[4].rows << QVariantList{5.0, 7.0} << QVariantList{S("05"), S("010")} << QVariantList{S("05"), S("010")};
    const QString path = t.file(QStringLiteral("MortNo2026.xlsx"));
    WriteFixtureWorkbook(path, sheets);

    const VerifyLoadResult r = Xls2Mdb(t.session(), path, nullptr);

    QVERIFY(!r.trapped);
    QCOMPARE(t.ui.messages(), QStringList({QStringLiteral("RECORD REJECTED, NO Folio or PID!"),
                                           QStringLiteral("INFORMATION: There was a total of 1 records NOT loaded.\r\n"
                                                          " 1 record was not loaded because it a duplicate or "
                                                          "rejected folio\r\n"),
                                           QStringLiteral("1 value of the Mortgage sheet was longer than its column "
                                                          "allows. It was loaded as its first characters, and the "
                                                          "workbook will be written back so:\nRow 4: the MORTGAGE CO. "
                                                          "\"001234\" was read as \"0012\" (its first 4 characters)")}));
    const QString name1 = QStringLiteral("JOHN SMITH").leftJustified(70);
    const QString addr1 = QStringLiteral("1 MAIN ST").leftJustified(30);
    const QString blank30(30, u' ');
    QCOMPARE(TableRows(t, QStringLiteral("SELECT ACD, MORTCO, NUMBER, CD, JUR, FOLIO, PID, NAME, ADDR1, ADDR2, "
                                         "LEGAL FROM VERIFY ORDER BY rowid")),
             QStringList({QStringLiteral("A|AB  |N-1|5 |7  |12345678||") + name1 + u'|' + addr1 + u'|' + blank30
                              + u'|' + QString(32, u' '),
                          QStringLiteral(" |0012|M2|05|010|000000000000000042||") + QStringLiteral("X").leftJustified(70)
                              + u'|' + blank30 + u'|' + blank30 + u'|' + QStringLiteral("LOT 4").leftJustified(32)}));
    const QString year = QString::number(CurrentYear());
    QCOMPARE(TableRows(t, QStringLiteral("SELECT JUR_CD, FOLIO_LEN, FOLIO_MASK, YEAR FROM Fol_Mask ORDER BY rowid")),
             QStringList({QStringLiteral("010|8|###-#####|") + year, QStringLiteral("7|5|#####|") + year,
                          QStringLiteral("011|23|#|") + year}));
    QCOMPARE(TableRows(t, QStringLiteral("SELECT * FROM Collection_District ORDER BY rowid")),
             QStringList({QStringLiteral("5 |District Five"), QStringLiteral("12|Long")}));
    QCOMPARE(TableRows(t, QStringLiteral("SELECT * FROM Jurisdiction ORDER BY rowid")),
             QStringList({QStringLiteral("010|Ten"), QStringLiteral("7  |Seven")}));
    QCOMPARE(TableRows(t, QStringLiteral("SELECT * FROM CD_JUR ORDER BY rowid")),
             QStringList({QStringLiteral("5 |7  "), QStringLiteral("05|010")}));
    // The recordsets show the new rows.
    QCOMPARE(t.de().rsVerify().recordCount(), 2);
    QCOMPARE(t.de().rsFol_Mask().recordCount(), 3);
}

void TestVerifyLoad::onlyTheFirstThreeWarningsAreIssued()
{
    const QList<QVariantList> rows{
        {S("X"), QVariant(), S("1234567890123"), S("05"), S("010"), S("1")},
        {S("A"), S("0001"), S("N"), S("123"), S("0100"), S("2"), S("1234567890")},
    };
    for (const bool toList : {false, true}) {
        TestSession t;
        RecordingList list;
        const VerifyLoadResult r = Xls2Mdb(t.session(), workbookWithRows(t, rows), toList ? &list : nullptr);
        QCOMPARE(r.loaded, 2);
        QCOMPARE(r.formatWarnings, 3);
        const QString summary = QStringLiteral("INFORMATION: There was a total of 3 records NOT loaded.\r\n\r\n"
                                               " 3 records were not loaded for formatting reasons");
        const QStringList warnings = toList ? list.lines.mid(0, 3) : t.ui.messages().mid(0, 3);
        QCOMPARE(warnings.size(), 3);
        QVERIFY(warnings[0].startsWith(QStringLiteral("WARNING ( Invalid value in the Add/Change/Delete column ) :  \r\n"
                                                      " The column A (Add/Change/Delete) content is not valid. :X\r\n")));
        QCOMPARE(warnings[1], QStringLiteral("WARNING ( Mortgage Company # MISSING ) :  \r\n"
                                             " The Mortgage Company is stored in column B and it is four characters.\r\n"
                                             " The Mortgage Company identifies who pays for the property taxes\r\n\r\n")
                     + Note);
        QVERIFY(warnings[2].contains(QStringLiteral(" Mortgage # truncated to (12 char. MAX):123456789012\r\n")));
        // Every cell stored cut is listed by its row, those past the third
        // warning too.
        const QStringList cut{
            QStringLiteral("4 values of the Mortgage sheet were longer than their columns allow. They were loaded "
                           "as their first characters, and the workbook will be written back so:"),
            QStringLiteral("Row 2: the MORTGAGE NUMBER \"1234567890123\" was read as \"123456789012\" (its first 12 "
                           "characters)"),
            QStringLiteral("Row 3: the COLLECTION DISTRICT CODE \"123\" was read as \"12\" (its first 2 characters)"),
            QStringLiteral("Row 3: the JURISDICTION CODE \"0100\" was read as \"010\" (its first 3 characters)"),
            QStringLiteral("Row 3: the PROPERTY IDENTIFIER \"1234567890\" was read as \"123456789\" (its first 9 characters)")};
        if (toList) {
            QCOMPARE(list.lines.mid(3), QStringList({summary.section(QStringLiteral("\r\n"), 0, 0), QString(),
                                                     summary.section(QStringLiteral("\r\n"), 2, 2)})
                                            + cut);
            QVERIFY(list.printEnabled);
            QCOMPARE(t.ui.messages(), QStringList{summary});
        } else {
            QCOMPARE(t.ui.messages().mid(3), QStringList({summary, cut.join(u'\n')}));
        }
        QCOMPARE(TableRows(t, QStringLiteral("SELECT CD, JUR, PID FROM VERIFY WHERE MORTCO = '0001'")),
                 QStringList{QStringLiteral("12|010|123456789")});
    }

    // One warning in full, as a user reads it.
    TestSession t;
    Xls2Mdb(t.session(), workbookWithRows(t, {{S("A"), S("0001"), S("N"), S("123"), S("010"), S("2")}}), nullptr);
    QCOMPARE(t.ui.messages().first(),
             QStringLiteral("WARNING ( Collection District Code 'CD' is too long ) :  \r\n"
                            " Collection District Code on the spreadsheet:123\r\n"
                            " Collection District Code truncated to (2 digits):12\r\n"
                            " The Collection District Code is stored in column D and it is two digits.\r\n\r\n")
                 + Note);
}

void TestVerifyLoad::duplicateAndRejectedRowsWithTheirMessageLimit()
{
    const QVariantList nameOnly{QVariant(), S("0002"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                                S("NAME ONLY"), S(" 1 ST "), QVariant(), S("TOWN")};
    const QList<QVariantList> rows{
        {QVariant(), S("0001"), QVariant(), S("05"), S("010"), S("100")},
        {QVariant(), S("0001"), QVariant(), S("06"), S("010"), S("100")},  // same folio, other district
        {QVariant(), S("0001"), QVariant(), QVariant(), QVariant(), QVariant(), S("P1")},
        {QVariant(), S("0001"), QVariant(), QVariant(), QVariant(), QVariant(), S("P2")},
        {QVariant(), S("0001"), QVariant(), QVariant(), QVariant(), QVariant(), S("P1")},
        nameOnly,
        {QVariant(), S("0001"), QVariant(), S("07"), S("010"), S("100")},
        nameOnly,
        {QVariant(), S("ab"), QVariant(), S("05"), S("010"), S("200")},
        {QVariant(), S("AB"), QVariant(), S("05"), S("010"), S("200")},  // differs in case only
    };
    const QString dupFolio = QStringLiteral("WARNING ( RECORD IGNORED ) DUPLICATE FOLIO NUMBER:   Mort. Co:0001 "
                                            "CD:06 JUR:010 FOLIO:100 (Most likely duplicate KEY violation)");
    const QString dupPid = QStringLiteral("WARNING ( RECORD IGNORED ) DUPLICATE PID NUMBER:   Mort. Co:0001 PID:P1 ");
    const QString rejected = QStringLiteral("RECORD REJECTED, NO Folio or PID! Mort. Co:0002 Addr.:1 STTOWN");
    const QString summary = QStringLiteral("INFORMATION: There was a total of 6 records NOT loaded.\r\n"
                                           " 6 records were not loaded because they were duplicate or rejected "
                                           "folios\r\n");
    for (const bool toList : {false, true}) {
        TestSession t;
        RecordingList list;
        const VerifyLoadResult r = Xls2Mdb(t.session(), workbookWithRows(t, rows), toList ? &list : nullptr);
        QCOMPARE(r.loaded, 4);
        QCOMPARE(r.notLoaded, 6);
        QCOMPARE(r.formatWarnings, 0);
        if (toList) {
            QCOMPARE(list.lines.size(), 9);
            QCOMPARE(list.lines.mid(0, 3), QStringList({dupFolio, dupPid, rejected}));
            QVERIFY(list.lines[3].contains(QStringLiteral("CD:07")));
            QCOMPARE(list.lines[4], rejected);
            QVERIFY(list.lines[5].contains(QStringLiteral("Mort. Co:AB ")));
            QCOMPARE(t.ui.messages(), QStringList{summary});
        } else {
            // Boxes for the first not-loaded rows only.
            QCOMPARE(t.ui.messages(), QStringList({dupFolio, dupPid, rejected, summary}));
        }
        // Two PID-only rows of one company with different PIDs are both kept.
        QCOMPARE(TableRows(t, QStringLiteral("SELECT PID FROM VERIFY WHERE PID <> '' ORDER BY rowid")),
                 QStringList({QStringLiteral("P1"), QStringLiteral("P2")}));
    }
}

void TestVerifyLoad::emptySheetAndEndOfSheet()
{
    {
        TestSession t;
        const VerifyLoadResult r = Xls2Mdb(t.session(), workbookWithRows(t, {}), nullptr);
        QCOMPARE(r.loaded, 0);
        QCOMPARE(t.ui.messages(), QStringList{QStringLiteral("ERROR - The Verification file is empty")});
        QCOMPARE(t.ui.said.first().icon, MessageIcon::Critical);
    }
    // Header, data, a second header (NAME alone), data, a rejected row, a
    // row of blanks: the third header or blank row ends the sheet.
    TestSession t;
    RecordingList list;
    const QVariantList blanks{S("  "), S(" "), QVariant(), S("   "), QVariant(), QVariant(), QVariant(), S("  ")};
    Xls2Mdb(t.session(),
            workbookWithRows(t, {{QVariant(), S("0001"), S("A1"), S("05"), S("010"), S("1")},
                                 {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                                  S("NAME")},
                                 {QVariant(), S("0001"), S("B2"), S("05"), S("010"), S("2")},
                                 {QVariant(), S("0001"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                                  QVariant(), S("ADDRESS ONLY")},
                                 blanks,
                                 {QVariant(), S("0001"), S("C3"), S("05"), S("010"), S("3")}}),
            &list);
    QCOMPARE(TableRows(t, QStringLiteral("SELECT NUMBER FROM VERIFY ORDER BY rowid")),
             QStringList({QStringLiteral("A1"), QStringLiteral("B2")}));
    QVERIFY(!list.lines.isEmpty());
    QCOMPARE(list.lines.first(), QStringLiteral("RECORD REJECTED, NO Folio or PID! Mort. Co:0001 Addr.:ADDRESS ONLY"));
}

// The end of a sheet stays where it is, but the rows holding data below it
// are counted and said, naming the sheet as the workbook names it; blank and
// header rows down there are no data.
void TestVerifyLoad::rowsBelowTheEndOfASheetAreSaid()
{
    auto folio = [](const char *number, const char *folioNumber) {
        return MortgageRow({QVariant(), S("0001"), S(number), S("05"), S("010"), S(folioNumber)});
    };
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    sheets[0].name = QStringLiteral("MortNo 2026");
    const QVariantList header = sheets[0].rows.first();
    sheets[0].rows << folio("A1", "1") << folio("A2", "2") << MortgageRow({}) << MortgageRow({S("  ")})
                   << folio("B1", "3") << header << MortgageRow({}) << folio("B2", "4") << MortgageRow({S(" ")})
                   << folio("B3", "5");
    sheets[3].rows << QVariantList{S("010"), S("TOWN")} << QVariantList{} << QVariantList{}
                   << QVariantList{S("020"), S("VILLAGE")};

    TestSession t;
    const QString path = t.file(QStringLiteral("MortNo1.xlsx"));
    WriteFixtureWorkbook(path, sheets);
    RecordingList list;
    const VerifyLoadResult r = Xls2Mdb(t.session(), path, &list);
    QVERIFY(!r.trapped);
    QCOMPARE(TableRows(t, QStringLiteral("SELECT NUMBER FROM VERIFY ORDER BY rowid")),
             QStringList({QStringLiteral("A1"), QStringLiteral("A2")}));
    QCOMPARE(TableRows(t, QStringLiteral("SELECT Jurisdiction_Name FROM Jurisdiction")),
             QStringList(QStringLiteral("TOWN")));
    QCOMPARE(r.rowsNotRead, 4);
    QCOMPARE(list.lines,
             QStringList({QStringLiteral("Rows 6 to 11 of the MortNo 2026 sheet were not read: 3 rows holding data lie "
                                         "below the second blank row (row 5), where the folio list ends. Remove the "
                                         "blank rows above them and load the workbook again."),
                          QStringLiteral("Row 5 of the Jurisdiction sheet was not read: it holds data but lies below "
                                         "the second blank row (row 4), where the jurisdiction list ends. Remove the "
                                         "blank rows above it and load the workbook again.")}));

    // In a message box without a list; a sheet ended by its header rows
    // says which rows to remove.
    sheets = VerifyFixtureSheets();
    sheets[0].rows << folio("A1", "1") << header << MortgageRow({}) << folio("B1", "3");
    WriteFixtureWorkbook(path, sheets);
    t.ui.clear();
    QCOMPARE(Xls2Mdb(t.session(), path, nullptr).rowsNotRead, 1);
    QCOMPARE(t.ui.messages(), QStringList(QStringLiteral(
                                  "Row 5 of the Mortgage sheet was not read: it holds data but lies below the first "
                                  "blank row (row 4), where the folio list ends. Remove the blank rows and the "
                                  "repeated header rows above it and load the workbook again.")));
    QCOMPARE(t.ui.said.first().icon, MessageIcon::Information);
}

void TestVerifyLoad::unreadableWorkbookAndRefusedRowGoThroughTheTrap()
{
    {
        TestSession t;
        t.exec(QStringLiteral("INSERT INTO VERIFY (MORTCO) VALUES ('OLD')"));
        const QString path = t.file(QStringLiteral("MortNo.xls"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 a legacy workbook", 26));
        f.close();
        RecordingList list;
        const VerifyLoadResult r = Xls2Mdb(t.session(), path, &list);
        QVERIFY(r.trapped);
        QCOMPARE(t.ui.messages().size(), 1);
        QVERIFY2(t.ui.messages().first().section(u'\n', 1).startsWith(QStringLiteral("Error Xls2Mdb(82) Err# ")), qPrintable(t.ui.messages().first()));
        QVERIFY(t.ui.messages().first().contains(QStringLiteral(" Description: ")));
        QCOMPARE(t.ui.said.first().icon, MessageIcon::Critical);
        QCOMPARE(list.lines, t.ui.messages());
        QVERIFY(list.printEnabled);
        QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM VERIFY")).toInt(), 0);
    }
    // A table key the load's own rules do not know refuses a row: the trap
    // names the row, the rows before it stay, and nothing after it is
    // reported. Row 25 or 35 would warn about its ACD: before or after the
    // first 32 rows are stored together.
    for (const int warned : {25, 35}) {
        TestSession t;
        t.exec(QStringLiteral("CREATE UNIQUE INDEX VERIFY_Pid ON VERIFY (MORTCO, PID)"));
        QList<QVariantList> rows;
        for (int i = 1; i <= 40; ++i) {
            rows << QVariantList{i == warned ? S("X") : QVariant(), S("0001"), QVariant(), S("05"), S("010"),
                                 QString::number(i), i == 20 ? S("P1") : QVariant(QStringLiteral("P%1").arg(i))};
        }
        const VerifyLoadResult r = Xls2Mdb(t.session(), workbookWithRows(t, rows), nullptr);
        QVERIFY(r.trapped);
        QCOMPARE(t.ui.messages().size(), 1);
        QVERIFY2(t.ui.messages().first().section(u'\n', 1).startsWith(
                     QStringLiteral("Error Xls2Mdb(128  Mort. Co:0001 CD:05 JUR:010 FOLIO:20 PID:P1 (Most likely "
                                    "duplicate KEY violation)) Err# 2067 Description: ")),
                 qPrintable(t.ui.messages().first()));
        QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM VERIFY")).toInt(), 19);
        QCOMPARE(t.de().rsVerify().recordCount(), 19);
        QCOMPARE(r.loaded, 19);
    }
}

// The sheets are read as their rows are stored: a workbook that turns out to
// be damaged or hostile part way is refused as a whole, the rows stored
// before are not kept, and the message names what is wrong.
void TestVerifyLoad::workbookFoundUnreadablePartWayKeepsNothing()
{
    struct Case {
        const char *name;
        std::map<QString, QByteArray> parts;
        const char *trace;
        const char *reason;
    };
    auto nested = handMadeWorkbook(10, {});
    nested["xl/workbook.xml"] = "<workbook>" + QByteArray("<a>").repeated(100000);
    const Case cases[] = {
        {"damaged row", handMadeWorkbook(100, "<row r=\"150\"><c t=\"s\"><v>5</v></c></row>"), "100",
         "a cell refers to shared string 5, which does not exist"},
        {"damaged after the end", handMadeWorkbook(100, "<row r=\"150\"/><row r=\"160\"/><row r=\"170\"><c>"),
         "101", "not well-formed"},
        {"nested", nested, "82", "elements are nested more than 256 deep"},
    };
    for (const Case &c : cases) {
        TestSession t;
        t.exec(QStringLiteral("INSERT INTO VERIFY (MORTCO) VALUES ('OLD')"));
        const QString path = t.file(QStringLiteral("MortNo1.xlsx"));
        WriteZip(path, c.parts);
        const VerifyLoadResult r = Xls2Mdb(t.session(), path, nullptr);
        QVERIFY2(r.trapped, c.name);
        QCOMPARE(r.loaded, 0);
        QCOMPARE(t.ui.messages().size(), 1);
        const QString message = t.ui.messages().first();
        QVERIFY2(message.section(u'\n', 1).startsWith(QStringLiteral("Error Xls2Mdb(%1) Err# 1004 Description: The workbook ")
                                        .arg(QString::fromLatin1(c.trace))),
                 qPrintable(message));
        QVERIFY2(message.contains(QString::fromLatin1(c.reason)), qPrintable(message));
        QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM VERIFY")).toInt(), 0);
        QCOMPARE(t.de().rsVerify().recordCount(), 0);
    }
}

void TestVerifyLoad::aHundredThousandRowsLoad()
{
    // Row numbers and counts well past 32,767 and 65,535.
    TestSession t;
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    for (int i = 0; i < 100000; ++i)
        sheets[0].rows << QVariantList{QVariant(), S("0001"), QVariant(), S("05"), S("010"), double(i + 1)};
    sheets[0].rows << QVariantList{QVariant(), S("0001"), QVariant(), S("06"), S("010"), 70000.0};
    WriteFixtureWorkbook(t.file(QStringLiteral("big.xlsx")), sheets);
    const VerifyLoadResult r = Xls2Mdb(t.session(), t.file(QStringLiteral("big.xlsx")), nullptr);
    QCOMPARE(r.loaded, 100000);
    QCOMPARE(r.notLoaded, 1);
    QVERIFY(t.ui.messages().first().endsWith(QStringLiteral("FOLIO:70000 (Most likely duplicate KEY violation)")));
    QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM VERIFY")).toInt(), 100000);
    QCOMPARE(t.de().rsVerify().recordCount(), 100000);
}

QTEST_GUILESS_MAIN(TestVerifyLoad)
#include "test_verify_load.moc"
