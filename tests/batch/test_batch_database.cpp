// The working database in trouble: held by another program, damaged, on a
// full disk, read-only. Each ends the command with a message that names the
// database and says what is wrong, never with a crash, and the tables keep
// what they held.

#include "batch_fixtures.h"
#include "batch_runner.h"

#include "support/test_files.h"

#include "common/number_format.h"
#include "store/sqlite_db.h"

#include <QDir>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

namespace {

// The agencies payment-load lists for a file of that many payments.
QString listing(int payments)
{
    return QString("Data year: %1\nAgency 0012: %2 payments, total %3\n")
        .arg(ThisYear(), FormatNumber(payments, Mask::Thousands0), FormatAmount(payments * 100.0));
}

}  // namespace

class TestBatchDatabase : public QObject {
    Q_OBJECT

private slots:
    // Another program in the middle of a write: the load waits for it, then
    // says who is in the way.
    void databaseHeldByAnotherProgram()
    {
        TestSession t;
        const QString path = t.file("Zoltdata.csv");
        WritePaymentFile(path, 10);
        auto holder = Database::open(t.dbPath(), Database::Mode::OpenExisting);
        holder->exec("BEGIN IMMEDIATE");
        BatchRun run = runBatch({"--db", t.dbPath(), "payment-load", path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2((run.out + run.err).contains("Another program holds the database " + t.dbPath() + " (it is locked)"),
                 qPrintable(run.out + run.err));
        holder->exec("ROLLBACK");
        run = runBatch({"--db", t.dbPath(), "payment-load", path});
        QCOMPARE(run.out, listing(10));
    }

    void damagedDatabase()
    {
        TestSession t;
        const QString db = t.file("batch.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);
        const QString path = t.file("Zoltdata.csv");
        WritePaymentFile(path, 2000);
        QCOMPARE(runBatch({"--db", db, "payment-load", path}).out, listing(2000));
        const QByteArray original = readFile(path);
        // Every page but the first (the table list) overwritten.
        QFile file(db);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.size() > 8192);
        file.seek(4096);
        file.write(QByteArray(int(file.size() - 4096), '\xA5'));
        file.close();
        for (const QString &command : {QString("payment-save"), QString("payment-load"), QString("verify-export")}) {
            const BatchRun run = runBatch({"--db", db, command, path});
            QCOMPARE(run.exitCode, 1);
            QVERIFY2((run.out + run.err).contains("The database " + db + " is damaged"), qPrintable(run.out + run.err));
        }
        QCOMPARE(readFile(path), original);
        // Not a database at all.
        writeFile(db, QByteArray("not a database ").repeated(1000));
        const BatchRun run = runBatch({"--db", db, "payment-load", path});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.out.startsWith("SEVERE ERROR - The database " + db + " is damaged or is no database"),
                 qPrintable(run.out));
    }

    // A load that fills the disk: it fails saying so, and the database
    // still holds the previous file, whole.
    void fullDiskUnderTheDatabase()
    {
        TestSession t;
        WritePaymentFile(t.file("small.csv"), 10);
        WritePaymentFile(t.file("large.csv"), 30000);
        QCOMPARE(runBatch({"--db", t.dbPath(), "payment-load", t.file("small.csv")}).out, listing(10));
        // A file size limit: the write fails with no room left.
        BatchRun run = runBatch({"--db", t.dbPath(), "payment-load", t.file("large.csv")},
                                QFileInfo(t.dbPath()).size() + 256 * 1024);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains("No space left on device for the database " + t.dbPath()), qPrintable(run.out));
        QVERIFY2(!run.out.contains("DUPLICATE"), qPrintable(run.out));
        QCOMPARE(runBatch({"--db", t.dbPath(), "payment-load", t.file("small.csv")}).out, listing(10));
        QCOMPARE(t.scalar("PRAGMA integrity_check").toString(), QString("ok"));

        // A disk that is really full.
        QVERIFY(QDir(t.dir()).mkdir("disk"));
        const std::optional<QString> out = RunOnSmallDisk(
            t.file("disk"), 1024 * 1024,
            "\"$2\" init-db \"$1/Zolt.mdb\" >/dev/null\n"
            "for file in \"$3\" \"$4\" \"$3\"; do \"$2\" --db \"$1/Zolt.mdb\" payment-load \"$file\"; done\n",
            {ZOLT_BATCH, t.file("small.csv"), t.file("large.csv")});
        if (!out)
            QSKIP("no small disk can be mounted here (unshare -m needs the right to mount)");
        const QString disk = t.file("disk") + "/Zolt.mdb";
        QVERIFY2(out->startsWith(listing(10) + "Zolt could not write to its database: the disk is full.")
                     && out->contains("\nCsv2Mdb Unexpected error # 13 Debug (")
                     && out->contains("occurred: No space left on device for the database " + disk)
                     && out->endsWith("Zolt Data Load FAILED\n" + listing(10)),
                 qPrintable(*out));
    }

    // A database without write permission is read-only whoever runs the
    // program, root included: it is refused as it opens and left unchanged.
    void readOnlyDatabaseIsRefusedAtOnce()
    {
        TestSession t;
        WritePaymentFile(t.file("Zoltdata.csv"), 10);
        const QString db = t.file("batch.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);
        QCOMPARE(runBatch({"--db", db, "payment-load", t.file("Zoltdata.csv")}).out, listing(10));
        const QByteArray before = readFile(db);
        QVERIFY(QFile::setPermissions(db, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        WritePaymentFile(t.file("Zoltdata.csv"), 20);
        for (const char *command : {"payment-load", "verify-load"}) {
            const BatchRun run = runBatch({"--db", db, command, t.file("Zoltdata.csv")});
            QCOMPARE(run.exitCode, 2);
            QCOMPARE(run.out, "SEVERE ERROR - The database " + db +
                                  " is read-only, so Zolt cannot keep its work there: make the file and its folder "
                                  "writable, then try again.\n");
        }
        QCOMPARE(readFile(db), before);
        QVERIFY(!QFile::exists(db + "-wal"));
    }
};

QTEST_GUILESS_MAIN(TestBatchDatabase)
#include "test_batch_database.moc"
