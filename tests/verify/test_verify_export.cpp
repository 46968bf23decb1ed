// The verification workbook export: what it writes, its backup, and what a
// failed export leaves behind.

#include "support/sheet_grid.h"
#include "support/test_files.h"
#include "verify_test_support.h"
#include "xlsx_fixture.h"

#include "common/workbook/workbook_reader.h"
#include "store/data_environment.h"
#include "verify/verify_backup.h"
#include "verify/verify_export.h"
#include "verify/verify_layout.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace zolt;
using namespace zolt::workbook;
using namespace zolt::verify;
using namespace zolt::test;

namespace {

QString fixtureWorkbook(TestSession &t)
{
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-1"), S("05"), S("010"), S("12345678"), QVariant(),
                                   S("JOHN SMITH"), S("1 MAIN ST")})
                   << MortgageRow({QVariant(), S("ab"), S("M-2"), 5.0, S("7"), QVariant(), S("P1"), S("X"),
                                   QVariant(), QVariant(), QVariant(), QVariant(), S("TOWN"), S("LOT 4")});
    sheets[1].rows << QVariantList{S("010"), 8.0, S("###-#####")} << QVariantList{S("7"), 12.0, S("#")};
    sheets[2].rows << QVariantList{S("05"), S("Five")};
    sheets[3].rows << QVariantList{S("010"), S("Ten")} << QVariantList{S("7"), S("Seven")};
    sheets[4].rows << QVariantList{S("05"), S("010")};
    const QString path = t.file(QStringLiteral("MortNo1.xlsx"));
    WriteFixtureWorkbook(path, sheets);
    return path;
}

}  // namespace

class TestVerifyExport : public QObject {
    Q_OBJECT

private slots:
    void exportThenLoadGivesTheSameTables();
    void failedExportKeepsTheOldWorkbook();
    void stopWhileCompressingKeepsTheOldWorkbook();
    void aNulInAFieldCutsNothing();
    void asciiTextsWrittenAsWrittenValueWritesThem();
    void backupNames();
};

void TestVerifyExport::exportThenLoadGivesTheSameTables()
{
    TestSession t;
    Xls2Mdb(t.session(), fixtureWorkbook(t), nullptr);
    QVERIFY(t.ui.messages().isEmpty());
    const QStringList loaded = LoadedTables(t);

    const QString out = t.file(QStringLiteral("MortNo2.XLSX"));
    t.de().rsVerify().setFilter(QStringLiteral("MORTCO = 'AB'"));
    QVERIFY(Mdb2Xls(t.session(), out));
    QVERIFY(!QFile::exists(t.file(QStringLiteral("MortNo2.bak"))));  // nothing to back up yet
    QVERIFY(t.de().rsVerify().filter().isEmpty());
    QVERIFY(t.de().rsVerify().eof());
    const QByteArray first = readFile(out);

    // A second export keeps the first as the backup.
    QVERIFY(Mdb2Xls(t.session(), out));
    QCOMPARE(readFile(t.file(QStringLiteral("MortNo2.bak"))), first);

    t.ui.clear();
    Xls2Mdb(t.session(), out, nullptr);
    QCOMPARE(t.ui.messages(), QStringList());
    QCOMPARE(LoadedTables(t), loaded);

    // Inner runs of blanks are written as one, a value written as stored
    // keeps its trailing blanks; an empty table is written as its header.
    const QString jurisdiction = SheetGrid(out, 2).cell(2, 1);
    t.exec(QStringLiteral("UPDATE VERIFY SET NAME = '  JOHN    SMITH  ' WHERE NUMBER = 'N-1'"));
    t.exec(QStringLiteral("UPDATE Fol_Mask SET JUR_CD = JUR_CD || '  '"));
    t.de().rsVerify().requery();
    t.de().rsFol_Mask().requery();
    QVERIFY(Mdb2Xls(t.session(), out));
    auto reader = WorkbookReader::open(out);
    QCOMPARE(reader->sheetCount(), 5);
    QCOMPARE(reader->sheetName(5), QStringLiteral("Collection Jurisdiction Combo"));
    QCOMPARE(SheetGrid(out, 1).cell(3, 8), QStringLiteral("JOHN SMITH"));  // rows in NUMBER order
    QCOMPARE(SheetGrid(out, 1).cell(2, 2), QStringLiteral("AB  "));
    QCOMPARE(SheetGrid(out, 2).cell(2, 1), jurisdiction + "  ");
    QCOMPARE(SheetGrid(out, 2).cell(2, 2), QStringLiteral("08"));
    QCOMPARE(SheetGrid(out, 2).cell(3, 2), QStringLiteral("12"));

    t.exec(QStringLiteral("DELETE FROM VERIFY"));
    t.de().rsVerify().requery();
    QVERIFY(Mdb2Xls(t.session(), out));
    QCOMPARE(SheetGrid(out, 1).rowCount(), 1);
    QCOMPARE(SheetGrid(out, 1).cell(1, 14), QStringLiteral("LEGAL DESCRIPTION"));
}

// A NUL that reached the table (by an import, an earlier version) is left
// out of the workbook, and the rest of the name is written.
void TestVerifyExport::aNulInAFieldCutsNothing()
{
    TestSession t;
    t.exec(QStringLiteral("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, NAME) "
                          "VALUES (' ', '0001', 'N1', '05', '010', '1', 'OWN' || char(0) || 'ER')"));
    const QString out = t.file(QStringLiteral("MortNo1.xlsx"));
    QVERIFY(Mdb2Xls(t.session(), out));
    QCOMPARE(SheetGrid(out, 1).cell(2, 8), QStringLiteral("OWNER"));
}

// The export's way around QString for plain ASCII gives what WrittenValue
// gives, rule for rule, and leaves every other text to it.
void TestVerifyExport::asciiTextsWrittenAsWrittenValueWritesThem()
{
    const char *texts[] = {"", " ", "   ", "7", " 7 ", "123", "AB", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                           "  JOHN    SMITH  ", "A B  C   D", "  lead", "trail  ", "_x0041_ & <b>"};
    for (const ExportRule rule :
         {ExportRule::AsIs, ExportRule::Pad, ExportRule::Trim, ExportRule::CollapseBlanks, ExportRule::TwoDigits}) {
        for (const int size : {1, 4, 30}) {
            const Column column{"H", "F", 10, size, LoadRule::AsIs, rule, false};
            for (const char *text : texts) {
                QByteArray written("x");
                QVERIFY(AppendWrittenAscii(column, text, written));
                QCOMPARE(QString::fromUtf8(written), "x" + WrittenValue(column, S(text)));
            }
            QByteArray untouched;
            QVERIFY(!AppendWrittenAscii(column, "  PE\xc3\x91" "A  ", untouched));
            QVERIFY(untouched.isEmpty());
        }
    }
}

void TestVerifyExport::failedExportKeepsTheOldWorkbook()
{
    TestSession t;
    Xls2Mdb(t.session(), fixtureWorkbook(t), nullptr);
    t.ui.clear();

    // A target that cannot be replaced.
    const QString folder = t.file(QStringLiteral("MortNo3.xlsx"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(!Mdb2Xls(t.session(), folder));
    QCOMPARE(t.ui.messages().size(), 1);
    QVERIFY2(t.ui.messages().first().section(u'\n', 1).startsWith(QStringLiteral("Error Mdb2Xls((possible spreadheet ") + folder
                                                + QStringLiteral(" is in use?)) Err# ")),
             qPrintable(t.ui.messages().first()));
    QCOMPARE(t.ui.said.first().icon, MessageIcon::Critical);

    // A folder the program may not write to.
    const QString readOnly = t.file(QStringLiteral("readonly"));
    QVERIFY(QDir().mkdir(readOnly));
    const QString inReadOnly = readOnly + QStringLiteral("/MortNo.xlsx");
    writeFile(inReadOnly, "OLD");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(readOnly + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        qInfo("Running as a user who writes to read-only folders: that case is not checked.");
    } else {
        t.ui.clear();
        QVERIFY(!Mdb2Xls(t.session(), inReadOnly));
        QCOMPARE(readFile(inReadOnly), QByteArray("OLD"));
        QVERIFY(t.ui.messages().first().contains(QStringLiteral(" Description: ")));
    }
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // A database failure half way leaves the old workbook and its backup.
    const QString target = t.file(QStringLiteral("MortNo4.xlsx"));
    writeFile(target, "OLD");
    writeFile(t.file(QStringLiteral("MortNo4.bak")), "PREVIOUS");
    t.de().rsCD_JUR().close();
    t.exec(QStringLiteral("DROP TABLE CD_JUR"));
    t.ui.clear();
    QVERIFY(!Mdb2Xls(t.session(), target));
    QVERIFY2(t.ui.messages().first().section(u'\n', 1).startsWith(QStringLiteral("Error Mdb2Xls(107) Err# ")),
             qPrintable(t.ui.messages().first()));
    QCOMPARE(readFile(target), QByteArray("OLD"));
    QCOMPARE(readFile(t.file(QStringLiteral("MortNo4.bak"))), QByteArray("PREVIOUS"));
    QCOMPARE(QDir(t.dir()).entryList({QStringLiteral("*.tmp*"), QStringLiteral(".*xlsx*")}, QDir::Files | QDir::Hidden),
             QStringList());
}

// The window paints while the workbook is compressed; a stop asked for then
// keeps the old workbook, says nothing and leaves no file behind.
void TestVerifyExport::stopWhileCompressingKeepsTheOldWorkbook()
{
    TestSession t;
    Xls2Mdb(t.session(), fixtureWorkbook(t), nullptr);
    t.ui.clear();
    const QString stopped = t.file(QStringLiteral("MortNo5.xlsx"));
    writeFile(stopped, "OLD");
    t.ui.onEventsRun = [&t] {
        t.ui.yesNoAnswers << true;
        t.ui.askToStop();
    };
    QVERIFY(!Mdb2Xls(t.session(), stopped));
    t.ui.onEventsRun = nullptr;
    QVERIFY(t.ui.eventRuns > 0);
    QCOMPARE(t.ui.messages(), QStringList());
    QCOMPARE(readFile(stopped), QByteArray("OLD"));
    QCOMPARE(QDir(t.dir()).entryList({QStringLiteral("*.tmp*"), QStringLiteral(".*xlsx*")}, QDir::Files | QDir::Hidden),
             QStringList());
}

void TestVerifyExport::backupNames()
{
    QCOMPARE(VerifyExportBackupName(QStringLiteral("/d/MortNo1.xlsx")), QStringLiteral("/d/MortNo1.bak"));
    QCOMPARE(VerifyExportBackupName(QStringLiteral("/d/MortNo1.XLSX")), QStringLiteral("/d/MortNo1.bak"));
    QCOMPARE(VerifyExportBackupName(QStringLiteral("/d/MortNo1.xls")), QStringLiteral("/d/MortNo1.xls.bak"));
    QCOMPARE(VerifyExportBackupName(QStringLiteral("/d/MortNo1")), QStringLiteral("/d/MortNo1.bak"));
    QCOMPARE(VerifyTaskBackupName(QStringLiteral("/d/MortNo1.xlsx")), QStringLiteral("/d/MortNo1.xlsx.bak"));
    QCOMPARE(VerifyTaskBackupName(QStringLiteral("/d/MortNo1.ZOLT")), QStringLiteral("/d/MortNo1.bak"));
}

QTEST_GUILESS_MAIN(TestVerifyExport)
#include "test_verify_export.moc"
