#include "batch_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestBatchBasics : public QObject {
    Q_OBJECT

private slots:
    void initDbNeverOverwrites()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath("x.mdb");
        BatchRun run = runBatch({"init-db", db});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(db));

        QFile f(db);
        QVERIFY(f.open(QIODevice::Append));
        f.write("user data");
        f.close();
        const qint64 size = QFileInfo(db).size();
        run = runBatch({"init-db", db});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QFileInfo(db).size(), size);
    }

    void usageAndMissingDatabase()
    {
        QTemporaryDir dir;
        QCOMPARE(runBatch({}).exitCode, 2);
        QCOMPARE(runBatch({"no-such-command"}).exitCode, 2);
        QCOMPARE(runBatch({"--db"}).exitCode, 2);
        QCOMPARE(runBatch({"init-db"}).exitCode, 2);
        const BatchRun help = runBatch({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("init-db FILE"));

        // A command that needs the database refuses a missing one.
        const BatchRun missing = runBatch({"--db", dir.filePath("none.mdb"), "payment-load", "x.csv"});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.out.contains("SEVERE ERROR"));
        QVERIFY(!QFile::exists(dir.filePath("none.mdb")));  // never created behind the user's back
    }
};

QTEST_GUILESS_MAIN(TestBatchBasics)
#include "test_batch_basics.moc"
