// zolt-batch verify-load and verify-export as a script uses them: output and exit codes.

#include "batch_fixtures.h"
#include "batch_runner.h"

#include "../verify/xlsx_fixture.h"
#include "store/sqlite_db.h"
#include "support/test_files.h"


#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

namespace {

QString makeWorkbook(const QTemporaryDir &dir, const QString &name, bool withDuplicate)
{
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-1"), S("05"), S("010"), S("1")});
    if (withDuplicate)
        sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-2"), S("06"), S("010"), S("1")});
    for (const char *mark : {"C", "D", "", "C"})
        sheets[0].rows << MortgageRow({S(mark), S("0012"), S("N-3"), S("05"), S("010"), double(sheets[0].rows.size() + 7)});
    sheets[1].rows << QVariantList{S("010"), 8.0, S("########")};
    const QString path = dir.filePath(name);
    WriteFixtureWorkbook(path, sheets);
    return path;
}

}  // namespace

class TestBatchVerify : public QObject {
    Q_OBJECT

private slots:
    // Verify.csv written and read back in the current folder; an import
    // stopped after six errors, or without a file, exits 1.
    void verifyCsvExportAndImport()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("Zolt.mdb"));
        QCOMPARE(runBatch({QStringLiteral("init-db"), db}).exitCode, 0);
        {
            const auto database = Database::open(db, Database::Mode::OpenExisting);
            database->exec("INSERT INTO Collection_District VALUES ('05', 'NORTH');"
                           "INSERT INTO Jurisdiction VALUES ('701', 'HILLTOWN');"
                           "INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, NAME) VALUES "
                           "('D', '0012', 'N-1', '05', '701', '000000000000000001', 'ADAMS'),"
                           "('C', '0012', 'N-2', '05', '701', '000000000000000002', 'BAKER')");
        }
        auto batch = [&](const QStringList &args) {
            return runBatch(QStringList{QStringLiteral("--db"), db} + args, 0, dir.path());
        };
        const QString csv = dir.filePath(QStringLiteral("Verify.csv"));
        BatchRun run = batch({QStringLiteral("verify-csv-import"), QStringLiteral("1")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(QStringLiteral("Verify.csv file is NOT found in the working directory")), qPrintable(run.out));

        run = batch({QStringLiteral("verify-csv-export")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Export to the Verify.csv file complete. 2 Records exported\n"));
        QCOMPARE(readFile(csv), QByteArray("D,0012,N-1,05,701,000000000000000001,,ADAMS,,,,,,\r\n"
                                           "C,0012,N-2,05,701,000000000000000002,,BAKER,,,,,,\r\n"));
        run = batch({QStringLiteral("verify-csv-import"), QStringLiteral("2")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.trimmed(), QStringLiteral("Import from the Verify.csv file (option #2) complete."));

        // Seven bad lines and a good one: the question after the sixth.
        writeFile(csv, QByteArray(",0012,BAD,05,701,\r\n").repeated(7) + ",0012,N-9,05,701,9\r\n");
        run = batch({QStringLiteral("verify-csv-import"), QStringLiteral("1"), QStringLiteral("--stop-after-errors")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out.count(QStringLiteral("Record is NOT imported!")), 6);
        QVERIFY(run.out.contains(QStringLiteral("NO Folio Number or Property Identifier.")));
        QVERIFY(run.out.contains(QStringLiteral(",0012,BAD,05,701,")));
        QVERIFY(run.out.contains(QStringLiteral("ABNORMAL TERMINATION OR ERROR. Import from the Verify.csv file (option #1) is NOT complete.")));
        run = batch({QStringLiteral("verify-csv-import"), QStringLiteral("1")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.count(QStringLiteral("Record is NOT imported!")), 7);
        QCOMPARE(batch({QStringLiteral("verify-csv-import"), QStringLiteral("3")}).exitCode, 2);
    }

    void loadAndExportExitCodes()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("Zolt.mdb"));
        QCOMPARE(runBatch({QStringLiteral("init-db"), db}).exitCode, 0);
        auto batch = [&db](const QStringList &args) {
            return runBatch(QStringList{QStringLiteral("--db"), db} + args);
        };

        BatchRun run = batch({QStringLiteral("verify-load"), makeWorkbook(dir, QStringLiteral("dup.xlsx"), true)});
        QCOMPARE(run.exitCode, 3);
        // The list line comes first, then the summary box.
        const qsizetype duplicate = run.out.indexOf(QStringLiteral("WARNING ( RECORD IGNORED ) DUPLICATE FOLIO NUMBER:"));
        const qsizetype summary = run.out.indexOf(QStringLiteral("INFORMATION: There was a total of 1 records NOT loaded."));
        QVERIFY2(duplicate >= 0 && summary > duplicate, qPrintable(run.out));

        run = batch({QStringLiteral("verify-load"), makeWorkbook(dir, QStringLiteral("MortNo.xlsx"), false)});
        QCOMPARE(run.exitCode, 0);
        // What was loaded, counted by mark.
        QCOMPARE(run.out, QStringLiteral("5 folios loaded: 1 added, 2 changed, 1 marked for deletion, 1 without a mark\n"));

        const QString out = dir.filePath(QStringLiteral("MortNo.xlsx"));
        run = batch({QStringLiteral("verify-export"), out});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("MortNo.bak"))));
        QCOMPARE(batch({QStringLiteral("verify-load"), out}).exitCode, 0);

        const QString notWorkbook = dir.filePath(QStringLiteral("notes.xlsx"));
        QFile f(notWorkbook);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("just some text\n");
        f.close();
        run = batch({QStringLiteral("verify-load"), notWorkbook});
        QCOMPARE(run.exitCode, 1);
        // Each message once, though the load both lists it and shows it.
        QCOMPARE(run.out.count(QStringLiteral("Error Xls2Mdb(82) Err#")), 1);

        // Only a header: nothing loaded is a failure.
        QCOMPARE(batch({QStringLiteral("verify-export"), dir.filePath(QStringLiteral("empty.xlsx"))}).exitCode, 0);
        run = batch({QStringLiteral("verify-load"), dir.filePath(QStringLiteral("empty.xlsx"))});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out.count(QStringLiteral("ERROR - The Verification file is empty")), 1);

        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.xlsx")));
        run = batch({QStringLiteral("verify-export"), dir.filePath(QStringLiteral("folder.xlsx"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains(QStringLiteral("Error Mdb2Xls(")));

        // Folios below the second blank row: those above are loaded, the
        // others are said, and the load counts as one that left rows out.
        QList<FixtureSheet> sheets = VerifyFixtureSheets();
        sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-1"), S("05"), S("010"), S("1")}) << QVariantList{}
                       << QVariantList{} << MortgageRow({S("A"), S("0012"), S("N-2"), S("05"), S("010"), S("2")});
        const QString gap = dir.filePath(QStringLiteral("gap.xlsx"));
        WriteFixtureWorkbook(gap, sheets);
        run = batch({QStringLiteral("verify-load"), gap});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.out.startsWith(QStringLiteral("Row 5 of the Mortgage sheet was not read: it holds data but lies "
                                                   "below the second blank row (row 4)")),
                 qPrintable(run.out));
        QVERIFY(batch({QStringLiteral("--help")}).out.contains(QStringLiteral("values cut")));

        // A name longer than its column is loaded cut, and said.
        sheets = VerifyFixtureSheets();
        const QString longName = QStringLiteral("ABERNATHY-WORTHINGTON ").repeated(4);
        sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-1"), S("05"), S("010"), S("1"), QVariant(), longName});
        const QString cut = dir.filePath(QStringLiteral("cut.xlsx"));
        WriteFixtureWorkbook(cut, sheets);
        run = batch({QStringLiteral("verify-load"), cut});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.out.contains(QStringLiteral("Row 2: the NAME \"%1\" was read as \"%2\" (its first 70 characters)")
                                      .arg(longName, longName.left(70))),
                 qPrintable(run.out));

        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder-load.xlsx")));
        run = batch({QStringLiteral("verify-load"), dir.filePath(QStringLiteral("folder-load.xlsx"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(dir.filePath(QStringLiteral("folder-load.xlsx"))
                                  + QStringLiteral(" is a folder, not a workbook.")),
                 qPrintable(run.out));

        QCOMPARE(batch({QStringLiteral("verify-load")}).exitCode, 2);
        QCOMPARE(batch({QStringLiteral("verify-export"), out, out}).exitCode, 2);
    }

    // A disk that fills up while the workbook is written: the export fails,
    // and the workbook and its backup stay as they were.
    void exportOnAFullDiskKeepsTheWorkbookAndItsBackup()
    {
        constexpr qint64 Limit = 64 * 1024;
        TestSession t;
        FillVerify(t, 40000);
        const QString target = t.file(QStringLiteral("Limited.xlsx"));
        const QString backup = t.file(QStringLiteral("Limited.bak"));
        auto limitedExport = [&] {
            return runBatch({QStringLiteral("--db"), t.dbPath(), QStringLiteral("verify-export"), target}, Limit);
        };
        auto expectFailure = [&](const BatchRun &run) {
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.out.section(u'\n', 1).startsWith(QStringLiteral("Error Mdb2Xls(")), qPrintable(run.out));
            QVERIFY2(!run.out.contains(QStringLiteral("Wrote")), qPrintable(run.out));
        };
        // The files beside the database's own, temporary ones included.
        auto files = [&t] {
            return QDir(t.dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
                .filter(QRegularExpression(QStringLiteral("^(?!Zolt\\.mdb)")));
        };
        const QStringList kept = {QStringLiteral("Limited.bak"), QStringLiteral("Limited.xlsx")};

        // A small workbook is backed up; the new one does not fit: the
        // previous backup comes back, and without one none is left.
        QList<FixtureSheet> sheets = VerifyFixtureSheets();
        sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-1"), S("05"), S("010"), S("1")});
        WriteFixtureWorkbook(target, sheets);
        const QByteArray small = readFile(target);
        writeFile(backup, "the previous backup");
        expectFailure(limitedExport());
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(readFile(target), small);
        QCOMPARE(readFile(backup), QByteArray("the previous backup"));
        QCOMPARE(files(), kept);
        QVERIFY(QFile::remove(backup));
        expectFailure(limitedExport());
        QCOMPARE(readFile(target), small);
        QCOMPARE(files(), QStringList(QStringLiteral("Limited.xlsx")));

        // A workbook larger than the limit cannot even be backed up: the
        // previous backup stays, and the failure is said.
        QCOMPARE(runBatch({QStringLiteral("--db"), t.dbPath(), QStringLiteral("verify-export"), target}).exitCode, 0);
        const QByteArray large = readFile(target);
        QVERIFY(large.size() > Limit);
        writeFile(backup, "the previous backup");
        const BatchRun run = limitedExport();
        expectFailure(run);
        QCOMPARE(readFile(target), large);
        QCOMPARE(readFile(backup), QByteArray("the previous backup"));
        QCOMPARE(files(), kept);
        QVERIFY2(run.err.contains(backup), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestBatchVerify)
#include "test_batch_verify.moc"
