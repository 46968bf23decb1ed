// zolt-batch verify-load and verify-export as a script uses them: output and exit codes.

#include "support/sheet_grid.h"
#include "batch_runner.h"

#include "../verify/xlsx_fixture.h"
#include "support/test_files.h"
#include "support/test_session.h"

#include "common/errors.h"
#include "common/workbook/workbook_reader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using namespace zolt;
using zolt::workbook::WorkbookReader;
using namespace zolt::test;

namespace {

QVariant S(const char *text)
{
    return QString::fromLatin1(text);
}

// Folios enough for a workbook far larger than the file size limit below.
void fillVerify(TestSession &t, int folios)
{
    t.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                          "INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, LEGAL, ADDR1) "
                          "SELECT ' ', '0012    ', printf('N%06d', i), 'OWNER NUMBER ' || i, '05', '010', "
                          "printf('%018d', i), printf('%09d', i), 'LOT ' || i, i || ' MAIN ST' FROM n")
               .arg(folios));
}

QString makeWorkbook(const QTemporaryDir &dir, const QString &name, bool withDuplicate)
{
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-1"), S("05"), S("010"), S("1")});
    if (withDuplicate)
        sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-2"), S("06"), S("010"), S("1")});
    sheets[1].rows << QVariantList{S("010"), 8.0, S("########")};
    const QString path = dir.filePath(name);
    WriteFixtureWorkbook(path, sheets);
    return path;
}

}  // namespace

class TestBatchVerify : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(run.out, QString());

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
        QVERIFY2(run.out.contains(QStringLiteral("Error Xls2Mdb(82) Err#")), qPrintable(run.out));

        // Only a header: nothing loaded is a failure.
        QCOMPARE(batch({QStringLiteral("verify-export"), dir.filePath(QStringLiteral("empty.xlsx"))}).exitCode, 0);
        run = batch({QStringLiteral("verify-load"), dir.filePath(QStringLiteral("empty.xlsx"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains(QStringLiteral("ERROR - The Verification file is empty")));

        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.xlsx")));
        run = batch({QStringLiteral("verify-export"), dir.filePath(QStringLiteral("folder.xlsx"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains(QStringLiteral("Error Mdb2Xls(")));

        QCOMPARE(batch({QStringLiteral("verify-load")}).exitCode, 2);
        QCOMPARE(batch({QStringLiteral("verify-export"), out, out}).exitCode, 2);
    }

    // A disk that fills up while the workbook is written: the export fails,
    // and the workbook and its backup stay as they were.
    void exportOnAFullDiskKeepsTheWorkbookAndItsBackup()
    {
        constexpr qint64 Limit = 64 * 1024;
        TestSession t;
        fillVerify(t, 40000);
        const QString target = t.file(QStringLiteral("Limited.xlsx"));
        const QString backup = t.file(QStringLiteral("Limited.bak"));
        auto limitedExport = [&] {
            return runBatch({QStringLiteral("--db"), t.dbPath(), QStringLiteral("verify-export"), target}, Limit);
        };
        auto expectFailure = [&](const BatchRun &run) {
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.out.startsWith(QStringLiteral("Error Mdb2Xls(")), qPrintable(run.out));
            QVERIFY2(!run.out.contains(QStringLiteral("Wrote")), qPrintable(run.out));
        };
        // The files beside the database's own, temporary ones included.
        auto files = [&t] {
            return QDir(t.dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
                .filter(QRegularExpression(QStringLiteral("^(?!Zolt\\.mdb)")));
        };
        const QStringList kept = {QStringLiteral("Limited.bak"), QStringLiteral("Limited.xlsx")};

        // A small workbook is backed up; the new one does not fit.
        QList<FixtureSheet> sheets = VerifyFixtureSheets();
        sheets[0].rows << MortgageRow({S("A"), S("0012"), S("N-1"), S("05"), S("010"), S("1")});
        WriteFixtureWorkbook(target, sheets);
        const QByteArray small = readFile(target);
        expectFailure(limitedExport());
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(readFile(target), small);
        QCOMPARE(readFile(backup), small);
        QCOMPARE(files(), kept);

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

    // The export killed at moments spread over its run: the workbook is the
    // old one or the whole new one, and the backup the previous one or a
    // whole copy; never a file cut short.
    void exportKilledMidwayLeavesWholeFiles()
    {
        TestSession t;
        fillVerify(t, 40000);
        const QString target = t.file(QStringLiteral("Killed.xlsx"));
        const QString backup = t.file(QStringLiteral("Killed.bak"));
        QCOMPARE(runBatch({QStringLiteral("--db"), t.dbPath(), QStringLiteral("verify-export"), target}).exitCode, 0);
        const QByteArray old = readFile(target);
        auto isNewWorkbook = [&target] {
            try {
                return SheetGrid(target, 1).rowCount() == 40001;
            } catch (const ZoltError &) {
                return false;
            }
        };
        for (const int delay : {5, 10, 15, 20, 25, 30, 40, 50, 70, 100, 150, 250, 400, 600, 900}) {
            writeFile(target, old);
            writeFile(backup, "the previous backup");
            QProcess batch;
            batch.start(QStringLiteral(ZOLT_BATCH),
                        {QStringLiteral("--db"), t.dbPath(), QStringLiteral("verify-export"), target});
            QVERIFY(batch.waitForStarted());
            QThread::msleep(static_cast<unsigned long>(delay));
            batch.kill();
            batch.waitForFinished();
            QVERIFY2(readFile(target) == old || isNewWorkbook(), qPrintable(QString::number(delay)));
            const QByteArray backupNow = readFile(backup);
            QVERIFY2(backupNow == "the previous backup" || backupNow == old, qPrintable(QString::number(delay)));
        }
    }
};

QTEST_GUILESS_MAIN(TestBatchVerify)
#include "test_batch_verify.moc"
