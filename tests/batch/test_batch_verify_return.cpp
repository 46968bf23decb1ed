// zolt-batch verify-return as a script uses it: the verified file beside the
// workbook, the message list printed, the exit codes.

#include "batch_runner.h"

#include "../verify/xlsx_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zolt::test;

class TestBatchVerifyReturn : public QObject {
    Q_OBJECT

private slots:
    void returnCheck()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath("Zolt.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);
        QDir(dir.path()).mkdir("returned");
        auto workbook = [&dir](const QString &name, int folios) {
            QList<QVariantList> rows;
            for (int i = 1; i <= folios; ++i)
                rows << QVariantList{"C", "0012", "N-" + QString::number(i), "05", "701", QString("12-345-%1").arg(i)};
            if (folios > 0)  // the first folio once more
                rows << QVariantList{"C", "0012", "N-9", "05", "701", "12-345-1"};
            const QString path = dir.filePath("returned/" + name);
            WriteMortgageWorkbook(path, rows);
            return path;
        };
        const QString verified = dir.filePath("returned/ZOLTP040_VERIFIED.zolt");

        BatchRun run = runBatch({"--db", db, "verify-return", workbook("MortNo0012.xlsx", 3)}, 0, dir.path());
        QCOMPARE(run.exitCode, 0);
        const QStringList out = run.out.split('\n', Qt::SkipEmptyParts);
        QVERIFY2(out.first().contains("DUPLICATE FOLIO NUMBER"), qPrintable(run.out));
        QCOMPARE(out.mid(out.size() - 2), QStringList({"Check if this is the file that you want to upload",
                                                       "3 folios were written to the verified file " + verified}));
        QVERIFY(QFile::exists(verified));  // its lines, and where it goes, are the check's own test

        // Nothing loaded: exit 1, the earlier verified file gone.
        run = runBatch({"--db", db, "verify-return", workbook("MortNo0013.xlsx", 0)});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains("There is nothing in the selected file!"));
        QVERIFY(!QFile::exists(verified));

        // The verified file cannot be written (a folder in its place).
        QDir(dir.path()).mkdir("returned/ZOLTP040_VERIFIED.zolt");
        run = runBatch({"--db", db, "verify-return", dir.filePath("returned/MortNo0012.xlsx")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains("The verified file " + verified + " could not be written: "), qPrintable(run.out));

        QCOMPARE(runBatch({"--db", db, "verify-return"}).exitCode, 2);
        QVERIFY(runBatch({"--help"}).out.contains("verify-return FILE"));
    }
};

QTEST_GUILESS_MAIN(TestBatchVerifyReturn)
#include "test_batch_verify_return.moc"
