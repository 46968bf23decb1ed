#include "support/test_files.h"
#include "common/errors.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "support/recording_dialog.h"
#include "support/test_session.h"
#include "store/connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

class TestDataEnvironment : public QObject {
    Q_OBJECT

private slots:
    // Emptying a table to fill it again leaves the database's zeroing of
    // deleted rows as it was, also when the delete fails.
    void emptyingToRefillKeepsTheZeroingSetting()
    {
        TestSession t;
        t.exec("INSERT INTO VERIFY (NUMBER) VALUES ('N-1'), ('N-2')");
        for (const int zeroing : {0, 1}) {
            t.exec(QStringLiteral("PRAGMA secure_delete = %1").arg(zeroing));
            t.de().Zolt().emptyTableToRefill("VERIFY");
            QCOMPARE(t.scalar("SELECT count(*) FROM VERIFY").toInt(), 0);
            QCOMPARE(t.scalar("PRAGMA secure_delete").toInt(), zeroing);
            QVERIFY_THROWS_EXCEPTION(ZoltError, t.de().Zolt().emptyTableToRefill("NO_SUCH_TABLE"));
            QCOMPARE(t.scalar("PRAGMA secure_delete").toInt(), zeroing);
        }
    }

    // A large commit is in the log when it returns; the log is then copied
    // into the file on a thread of its own, and rows written meanwhile stay.
    void largeCommitsAreCopiedIntoTheFileAfterwards()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("log.mdb");
        CreateDatabaseFile(path);
        {
            auto db = Database::open(path, Database::Mode::OpenExisting);
            auto fileSize = [&] { return QFileInfo(path).size(); };
            const qint64 before = fileSize();
            db->exec("BEGIN");
            db->exec("CREATE TABLE big (t TEXT)");
            db->exec("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 3000) "
                     "INSERT INTO big SELECT printf('%.2000c', 'x') FROM c");
            db->exec("COMMIT");
            db->exec("INSERT INTO big VALUES ('while copying')");
            db->waitForLogCopy();
            QVERIFY(fileSize() > before + 3000 * 2000);
            Statement count = db->prepare("SELECT count(*) FROM big");
            count.step();
            QCOMPARE(count.column(0).toInt(), 3001);
        }
        // Closed: every row is in the file, the log gone.
        QVERIFY(!QFile::exists(path + "-wal"));
        auto again = Database::open(path, Database::Mode::OpenExisting);
        Statement count = again->prepare("SELECT count(*) FROM big WHERE t = 'while copying'");
        count.step();
        QCOMPARE(count.column(0).toInt(), 1);
    }

    void missingOrEmptyDatabase()
    {
        QTemporaryDir dir;
        test::RecordingDialog ui;
        QVERIFY(!DataEnvironment::start(dir.path(), "zoltwin", ui));
        writeFile(dir.filePath("Zolt.mdb"), QByteArray());
        QVERIFY(!DataEnvironment::start(dir.path(), "zoltwin", ui));
        const QString missing = "SEVERE ERROR - The Zolt.mdb file is missing from the application path.";
        QCOMPARE(ui.messages(), QStringList({missing, missing}));
        QVERIFY(ui.said.first().icon == MessageIcon::Critical);
        // A folder of that name is said to be one.
        QVERIFY(QFile::remove(dir.filePath("Zolt.mdb")));
        QVERIFY(QDir(dir.path()).mkdir("Zolt.mdb"));
        QVERIFY(!DataEnvironment::start(dir.path(), "zoltwin", ui));
        QCOMPARE(ui.messages().last(), "SEVERE ERROR - " + dir.filePath("Zolt.mdb") + " is a folder, not a database.");
    }

    void singleFileBranch()
    {
        QTemporaryDir dir;
        CreateDatabaseFile(dir.filePath("Zolt.mdb"));
        test::RecordingDialog ui;
        // The database is found in the application folder, with or without a
        // trailing separator, whatever the current folder is.
        auto de = DataEnvironment::start(dir.path() + "/", "ZoltWin2012.exe", ui);
        QVERIFY(de);
        QVERIFY(ui.said.isEmpty());
        const QString zolt = de->Zolt().connectionString();
        QCOMPARE(zolt, DataEnvironment::CataloguePrefix + dir.filePath("Zolt.mdb"));
        QVERIFY(!zolt.contains("//"));
        QCOMPARE(de->ZoltDb().connectionString(), zolt);
        QCOMPARE(de->LabelDb().connectionString(), zolt);
        QCOMPARE(de->traceStep(), QString("(019)"));

        // The standing tables of the other connection live in the same file.
        de->rsFolioMask().open();
        de->rsFolioMask().addNew();
        de->rsFolioMask().setField("JUR_CD", "701");
        de->rsFolioMask().update();
        de->rsErrorMessage().open();
        QCOMPARE(de->rsErrorMessage().recordCount(), 0);
        Statement st = de->Zolt().database().prepare("SELECT COUNT(*) FROM FolioMask");
        QVERIFY(st.step());
        QCOMPARE(st.column(0).toInt(), 1);
    }

    void separateFilesBranch()
    {
        QTemporaryDir dir;
        CreateDatabaseFile(dir.filePath("Zolt.mdb"));
        test::RecordingDialog ui;
        QVERIFY(!DataEnvironment::start(dir.path(), "zolt", ui));
        QCOMPARE(ui.messages().last(), QString("SEVERE ERROR - The ZoltDb.mdb file is missing from the application path."));
        CreateDatabaseFile(dir.filePath("ZoltDb.mdb"));
        QVERIFY(!DataEnvironment::start(dir.path(), "zolt", ui));
        QCOMPARE(ui.messages().last(), QString("SEVERE ERROR - The Label.mdb file is missing from the application path."));
        CreateDatabaseFile(dir.filePath("Label.mdb"));
        auto de = DataEnvironment::start(dir.path(), "zolt", ui);
        QVERIFY(de);
        QCOMPARE(de->ZoltDb().connectionString(), DataEnvironment::CataloguePrefix + dir.filePath("ZoltDb.mdb"));
        QCOMPARE(de->LabelDb().connectionString(), DataEnvironment::CataloguePrefix + dir.filePath("Label.mdb"));

        // rsErrorMessage works on ZoltDb.mdb, not on Zolt.mdb.
        de->rsErrorMessage().open();
        de->rsErrorMessage().addNew();
        de->rsErrorMessage().setField("ErrorNumber", 1);
        de->rsErrorMessage().update();
        auto zoltOnly = DataEnvironment::openFile(dir.filePath("Zolt.mdb"));
        zoltOnly->rsErrorMessage().open();
        QCOMPARE(zoltOnly->rsErrorMessage().recordCount(), 0);
    }

    void foreignFiles()
    {
        QTemporaryDir dir;
        test::RecordingDialog ui;
        writeFile(dir.filePath("Zolt.mdb"), QByteArray("Standard Jet DB, but not really").repeated(200));
        QVERIFY(!DataEnvironment::start(dir.path(), "zoltwin", ui));
        QString said = ui.messages().last();
        QVERIFY2(said.section(u'\n', 1).startsWith("SEVERE ERROR (DataEnvironment_Initialize-(019) ) # 26"), qPrintable(said));
        QVERIFY2(said.contains(dir.filePath("Zolt.mdb")), qPrintable(said));

        QFile::remove(dir.filePath("Zolt.mdb"));
        {
            auto db = Database::open(dir.filePath("Zolt.mdb"), Database::Mode::Create);
            db->exec("CREATE TABLE Detail (MORTCO TEXT)");
        }
        QVERIFY(!DataEnvironment::start(dir.path(), "zoltwin", ui));
        said = ui.messages().last();
        QVERIFY2(said.contains("lacks the table Group"), qPrintable(said));
    }

    // A database made by an earlier build: no ZoltSettings, owner names
    // compared exactly by the payment index, and rows that the new index
    // would not allow.
    void earlierDatabaseIsBroughtUpToDate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zolt.mdb");
        {
            auto db = Database::open(path, Database::Mode::Create);
            db->exec(SchemaSql());
            db->exec("DROP TABLE ZoltSettings; DROP INDEX Detail_Payment;"
                     "CREATE UNIQUE INDEX Detail_Payment ON Detail (MORTCO COLLATE BINARY, NAME COLLATE BINARY, "
                     "CD COLLATE BINARY, JUR COLLATE BINARY, FOLIO COLLATE BINARY);"
                     "INSERT INTO Detail (MORTCO, NAME, CD, JUR, FOLIO) VALUES ('1', 'Smith', '05', '101', '9'),"
                     "('1', 'SMITH', '05', '101', '9')");
        }
        RecordingDialog ui;
        auto indexSql = [](DataEnvironment &de) {
            Statement st = de.Zolt().database().prepare("SELECT sql FROM sqlite_master WHERE name = 'Detail_Payment'");
            return st.step() ? st.column(0).toString() : QString("none");
        };
        auto de = DataEnvironment::start(dir.path(), "zoltwin", ui);
        QVERIFY(de);
        QVERIFY(ui.said.isEmpty());
        QVERIFY(de->Zolt().database().tableNames().contains("ZoltSettings"));
        QVERIFY(indexSql(*de).contains("BINARY"));  // kept as it was while the rows clash
        de->Zolt().execute("DELETE FROM Detail WHERE NAME = 'Smith' COLLATE BINARY");
        de.reset();
        de = DataEnvironment::start(dir.path(), "zoltwin", ui);
        QVERIFY(de);
        QCOMPARE(indexSql(*de).simplified(), QString("CREATE UNIQUE INDEX Detail_Payment ON Detail (MORTCO, NAME, CD, JUR, FOLIO)"));
        try {
            de->Zolt().execute("INSERT INTO Detail (MORTCO, NAME, CD, JUR, FOLIO) VALUES ('1', 'smith', '05', '101', '9')");
            QFAIL("a second payment differing in case only was stored");
        } catch (const ZoltError &e) {
            QCOMPARE(e.number(), 2067);
        }
    }
};

QTEST_GUILESS_MAIN(TestDataEnvironment)
#include "test_data_environment.moc"
