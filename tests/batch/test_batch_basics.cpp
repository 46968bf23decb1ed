#include "batch_runner.h"
#include "support/test_files.h"

#include <QDir>
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

    // A database that cannot be made whole is not made at all: no file is
    // left that a later start would take for a working database.
    void initDbOnABrokenDiskLeavesNothing()
    {
        QTemporaryDir dir;
        BatchRun run = runBatch({"init-db", dir.filePath("full.mdb")}, 16 * 1024);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.startsWith("Cannot create "), qPrintable(run.out));
        QCOMPARE(zolt::test::Entries(dir.path()), QStringList());
        QCOMPARE(runBatch({"init-db", dir.filePath("full.mdb")}).exitCode, 0);  // nothing in the way of a retry

        QVERIFY(QDir(dir.path()).mkpath("folder.mdb/inside"));
        QCOMPARE(runBatch({"init-db", dir.filePath("folder.mdb")}).exitCode, 1);
        QCOMPARE(zolt::test::Entries(dir.path()), QStringList({"folder.mdb", "full.mdb"}));
        QCOMPARE(QDir(dir.filePath("folder.mdb")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList("inside"));

        if (zolt::test::ReadOnlyFoldersAreWritable())
            QSKIP("running as root: a read-only folder can still be written");
        QVERIFY(QDir(dir.path()).mkdir("ro"));
        zolt::test::ReadOnlyFolder readOnly(dir.filePath("ro"));
        run = runBatch({"init-db", dir.filePath("ro/x.mdb")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.startsWith("Cannot create "), qPrintable(run.out));
        QCOMPARE(zolt::test::Entries(dir.filePath("ro")), QStringList());
    }

    // Both programs say their version, zoltwin without a window system.
    void versionOfBothPrograms()
    {
        const QString expected = QStringLiteral("Zolt " ZOLT_VERSION "\n");
        const BatchRun batch = runBatch({"--version"});
        QCOMPARE(batch.exitCode, 0);
        QCOMPARE(batch.out, expected);

        QProcess window;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        window.setProcessEnvironment(env);
        window.start(QStringLiteral(ZOLTWIN), {"--version"});
        QVERIFY(window.waitForFinished(30000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(window.readAllStandardOutput()), expected);
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

        // Folders where files are expected are said to be folders.
        QVERIFY(QDir(dir.path()).mkdir("folder.mdb"));
        const BatchRun folderDb = runBatch({"--db", dir.filePath("folder.mdb"), "payment-load", "x.csv"});
        QCOMPARE(folderDb.exitCode, 2);
        QCOMPARE(folderDb.out, "SEVERE ERROR - " + dir.filePath("folder.mdb") + " is a folder, not a database.\n");
        const QString db = dir.filePath("Zolt.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);
        QVERIFY(QDir(dir.path()).mkdir("folder.csv"));
        const BatchRun folderCsv = runBatch({"--db", db, "payment-load", dir.filePath("folder.csv")});
        QCOMPARE(folderCsv.exitCode, 1);
        QCOMPARE(folderCsv.out,
                 dir.filePath("folder.csv") + " is a folder, not a payment file.\nZolt Data Load FAILED\n");
    }
};

QTEST_GUILESS_MAIN(TestBatchBasics)
#include "test_batch_basics.moc"
