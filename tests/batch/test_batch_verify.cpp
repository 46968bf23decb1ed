// zolt-batch verify-load and verify-export as a script uses them: output and exit codes.

#include "batch_runner.h"

#include "../verify/xlsx_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zolt::test;

namespace {

QVariant S(const char *text)
{
    return QString::fromLatin1(text);
}

QString workbook(const QTemporaryDir &dir, const QString &name, bool withDuplicate)
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

        BatchRun run = batch({QStringLiteral("verify-load"), workbook(dir, QStringLiteral("dup.xlsx"), true)});
        QCOMPARE(run.exitCode, 3);
        // The list line comes first, then the summary box.
        const qsizetype duplicate = run.out.indexOf(QStringLiteral("WARNING ( RECORD IGNORED ) DUPLICATE FOLIO NUMBER:"));
        const qsizetype summary = run.out.indexOf(QStringLiteral("INFORMATION: There was a total of 1 records NOT loaded."));
        QVERIFY2(duplicate >= 0 && summary > duplicate, qPrintable(run.out));

        run = batch({QStringLiteral("verify-load"), workbook(dir, QStringLiteral("MortNo.xlsx"), false)});
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
};

QTEST_GUILESS_MAIN(TestBatchVerify)
#include "test_batch_verify.moc"
