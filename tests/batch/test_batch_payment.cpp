#include "batch_fixtures.h"
#include "common/clock.h"
#include "batch_runner.h"

#include "common/file_replace.h"

#include "payment/duplicate_lines.h"
#include "payment/payment_load.h"

#include <QtTest>
#include <cerrno>

using namespace zolt;
using namespace zolt::test;

class TestBatchPayment : public QObject {
    Q_OBJECT

private slots:
    void loadListsAgenciesOrDuplicates()
    {
        TestSession t;
        const QString db = t.file("batch.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);

        QStringList details = {"#1,MÜLLER,05,101,#12345678,100.00,B", "#2,PEÑA,05,101,#9,200.50,C"};
        for (int i = 0; i < 250; ++i)
            details << "#3,DOE,07,202,#77,1.25,A,0,0,0,0,LOT " + QString::number(i);
        const QString path = t.file("dup.csv");
        PaymentFileText().year(ThisYear()).masks({"10108####-####"}).group("1", "12", details).write(path);

        BatchRun run = runBatch({"--db", db, "payment-load", path});
        QCOMPARE(run.exitCode, 3);
        const payment::PaymentLoadResult loaded = payment::Csv2Mdb(t.session(), path);  // for the screen's lines
        QVERIFY(loaded.loaded());
        QStringList expected = {"Zolt Data Load FAILED (Duplicate Folios in the input file)",
                                "There are 249 Duplicate Folios in the file", payment::DuplicateListHeading(loaded.duplicates)};
        expected << payment::DuplicateListLines(loaded.duplicates);
        QCOMPARE(expected.size(), 203);
        QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts), expected);

        PaymentFileText().year(ThisYear()).masks({"10108####-####"}).group("1", "12", details.mid(0, 3))
            .group("2", "34", {}).write(path);
        run = runBatch({"--db", db, "payment-load", path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, "Data year: " + ThisYear() + "\nAgency 0012: 3 payments, total 301.75\n"
                          "Agency 0034: 0 payments, total 0.00\n");
    }

    // Amounts read as their leading number are printed after the agencies;
    // the load succeeds.
    void loadPrintsLooseAmounts()
    {
        TestSession t;
        const QString db = t.file("batch.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);
        PaymentFileText f;
        f.year(ThisYear()).group("1", "12", {"#1,A,05,101,#9,125.00 PRIOR YEAR,A,abc", "#2,B,05,101,#8, -3.5x"});
        f.lines.replace(f.lines.indexOf("Name1:,12 MORTGAGE"), "Name1:,THE VERY LONG NAME OF A MORTGAGE COMPANY,,,");
        const QString path = t.file("Zoltdata.csv");
        f.write(path);
        const BatchRun run = runBatch({"--db", db, "payment-load", path});
        QCOMPARE(run.exitCode, 0);
        const QString first = QString::number(f.lines.indexOf("#1,A,05,101,#9,125.00 PRIOR YEAR,A,abc") + 1);
        const QString second = QString::number(f.lines.indexOf("#2,B,05,101,#8, -3.5x") + 1);
        const QString name = QString::number(f.lines.indexOf("Name1:,THE VERY LONG NAME OF A MORTGAGE COMPANY,,,") + 1);
        QCOMPARE(run.out, "Data year: " + ThisYear() + "\nAgency 0012: 2 payments, total 121.50\n"
                          "Line " + name + ": the Name1: \"THE VERY LONG NAME OF A MORTGAGE COMPANY\" was read as "
                          "\"THE VERY LONG NAME OF A MORTGAGE CO\" (its first 35 characters)\n"
                          "Line " + first + ": the PAYMENT AMOUNT \"125.00 PRIOR YEAR\" was read as 125.00\n"
                          "Line " + first + ": the (A) - GROSS TAX \"abc\" was read as 0.00\n"
                          "Line " + second + ": the PAYMENT AMOUNT \" -3.5x\" was read as -3.50\n");
    }

    void saveWritesTheFileWithItsBackup()
    {
        TestSession t;
        const QString db = t.file("batch.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);
        const QString path = t.file("ZOLTDATA.CSV");
        PaymentFileText().year(ThisYear()).group("1", "12", {"#1,PEÑA,05,101,#9,-0.00", "#2,X,05,101,#8,0"}).write(path);
        const QByteArray original = readFile(path);
        QCOMPARE(runBatch({"--db", db, "payment-load", path}).exitCode, 0);

        BatchRun run = runBatch({"--db", db, "payment-save", path, "--year", "2019"});
        QCOMPARE(run.exitCode, 0);  // a zero total is a successful save
        QVERIFY(run.out.contains("Payment Amount: 0.00\n"));
        QCOMPARE(readFile(t.file("ZOLTDATA.bak")), original);
        QVERIFY(readFile(path).startsWith("ZOLT DATA FOR YEAR 2019\r\n"));
        QVERIFY(readFile(path).contains("#1,PE\xd1" "A,05,101,#000000000000000009,0.00,A,"));

        run = runBatch({"--db", db, "payment-save", t.file("no-folder/x.csv")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains("Mdb2Csv Unexpected error #"));
        QVERIFY(run.out.endsWith("Zolt data save FAILED\n"));

        PaymentFileText::WriteBytes(t.file("bad.csv"), "PK\x03\x04\0\0binary");
        run = runBatch({"--db", db, "payment-load", t.file("bad.csv")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.section(u'\n', 1).startsWith("Csv2Mdb Unexpected error # 321 Debug (  1-19) occurred: "));
        QVERIFY(run.out.endsWith("Zolt Data Load FAILED\n"));

        QVERIFY(QDir(t.dir()).mkdir("folder.csv"));
        run = runBatch({"--db", db, "payment-save", t.file("folder.csv")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(QFileInfo(t.file("folder.csv")).isDir());

        QCOMPARE(runBatch({"--db", db, "payment-save"}).exitCode, 2);

        // Export.csv of one agency, in the current folder, in the list's order.
        PaymentFileText().year(ThisYear()).group("1", "12", {"#2,ZED,07,101,#9,5", "#1,AL,05,101,#8,1234.5"})
            .write(path);
        QCOMPARE(runBatch({"--db", db, "payment-load", path}).exitCode, 0);
        BatchRun exported = runBatch({"--db", db, "payment-export", "12"}, 0, t.dir());
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(exported.out, "Wrote 2 lines to " + t.file("Export.csv") + "\n");
        QCOMPARE(readFile(t.file("Export.csv")),
                 QByteArray("1,AL,05,101,000000000000000008,1234.50,A,0.00,0.00,0.00,0.00,\r\n"
                            "2,ZED,07,101,000000000000000009,5.00,A,0.00,0.00,0.00,0.00,\r\n"));
        exported = runBatch({"--db", db, "payment-export", "99"}, 0, t.dir());
        QCOMPARE(exported.exitCode, 1);
        QCOMPARE(exported.out, QString("No agency 0099 is loaded: nothing was exported.\n"));
        QCOMPARE(runBatch({"--db", db, "payment-save", path, "--year", "19"}).exitCode, 2);
        QCOMPARE(runBatch({"--db", db, "payment-load", path, path}).exitCode, 2);
    }

    void refusedYearsNeverReachTheFile()
    {
        TestSession t;
        const QString db = t.file("batch.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);
        const QString good = t.file("good.csv");
        PaymentFileText().year(ThisYear()).group("1", "12", {"#1,A,05,101,#9,213.50"}).write(good);
        QCOMPARE(runBatch({"--db", db, "payment-load", good}).exitCode, 0);

        // A refused year, no year line: refused, and the tables keep the good
        // file; the year is gone, so nothing is saved. (Which years are
        // refused is the load's, tested with it.)
        const QString later = QString::number(CurrentYear() + 2);
        PaymentFileText noYear;
        noYear.group("1", "34", {"#2,B,05,101,#8,1"});
        const QList<QByteArray> files = {PaymentFileText().year(later).group("1", "34", {"#2,B,05,101,#8,1"}).bytes(),
                                         noYear.bytes()};
        const QString path = t.file("Zoltdata.csv");
        for (const QByteArray &bytes : files) {
            PaymentFileText::WriteBytes(path, bytes);
            const BatchRun run = runBatch({"--db", db, "payment-load", path});
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.out.startsWith("The Zoltdata.csv data contain FUTURE/UNKNOWN year payments"), qPrintable(run.out));
            QVERIFY(run.out.endsWith("Zolt Data Load FAILED\n"));
            QVERIFY(!run.out.contains("Data year"));
            const BatchRun save = runBatch({"--db", db, "payment-save", path});
            QCOMPARE(save.exitCode, 1);
            QVERIFY(save.out.startsWith("No payment file with a valid year is loaded"));
            QCOMPARE(readFile(path), bytes);
            QVERIFY(!QFile::exists(t.file("Zoltdata.bak")));
        }
        QCOMPARE(runBatch({"--db", db, "payment-save", t.file("again.csv"), "--year", ThisYear()}).out,
                 "Saved " + t.file("again.csv") + " (the previous file is kept as " + t.file("again.bak") + ")\n"
                 "Payment Amount: 213.50\n");

        // Lines ending in CR alone are lines; tiny amounts are saved as 0.00
        // (the save's own way of writing amounts); a file with nothing in it
        // after the year line is refused.
        PaymentFileText().year(ThisYear()).group("1", "56", {"#3,C,05,101,#7,1e-300", "#4,D,05,101,#7,0.0049"})
            .write(path, "\r");
        BatchRun run = runBatch({"--db", db, "payment-load", path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, "Data year: " + ThisYear() + "\nAgency 0056: 2 payments, total 0.00\n");
        run = runBatch({"--db", db, "payment-save", path});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(readFile(path).contains("\r\n#3,C,05,101,#000000000000000007,0.00,A,0.00,0.00,0.00,0.00,\r\n"));
        PaymentFileText().year(ThisYear()).write(path);
        run = runBatch({"--db", db, "payment-load", path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.startsWith("The file " + path + " holds no payment groups and no payments.\n"));
    }

    // A disk that fills up during the save: the save fails, and the payment
    // file and its backup stay as they were.
    void saveOnAFullDiskKeepsTheFileAndItsBackup()
    {
        constexpr qint64 Limit = 64 * 1024;
        TestSession t;
        const QString db = t.file("batch.mdb");
        QCOMPARE(runBatch({"init-db", db}).exitCode, 0);
        const QString path = t.file("Zoltdata.csv");
        WritePaymentFile(path, 1500);
        const QByteArray large = readFile(path);
        QVERIFY(large.size() > Limit);
        QCOMPARE(runBatch({"--db", db, "payment-load", path}).exitCode, 0);
        auto files = [&t] { return QDir(t.dir()).entryList({"Zoltdata*", "small*"}, QDir::AllEntries | QDir::Hidden); };

        // The backup copy does not fit: the save stops, the old backup stays.
        PaymentFileText::WriteBytes(t.file("Zoltdata.bak"), "the previous backup");
        BatchRun run = runBatch({"--db", db, "payment-save", path}, Limit);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(readFile(t.file("Zoltdata.bak")), QByteArray("the previous backup"));
        QCOMPARE(readFile(path), large);
        QCOMPARE(files(), QStringList({"Zoltdata.bak", "Zoltdata.csv"}));
        QVERIFY2(run.out.section(u'\n', 1).startsWith("Mdb2Csv Unexpected error # 61 Debug (  2) occurred: "), qPrintable(run.out));

        // A small file is backed up; the new one does not fit: the previous
        // backup comes back.
        const QString small = t.file("small.csv");
        PaymentFileText::WriteBytes(small, "small");
        PaymentFileText::WriteBytes(t.file("small.bak"), "the previous backup");
        run = runBatch({"--db", db, "payment-save", small}, Limit);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.section(u'\n', 1).startsWith("Mdb2Csv Unexpected error # 61 Debug ("), qPrintable(run.out));
        // The system's reason, not "Unknown error".
        QVERIFY2(run.out.contains("Cannot write " + small + ": " + SystemErrorText(EFBIG)), qPrintable(run.out));
        QCOMPARE(readFile(small), QByteArray("small"));
        QCOMPARE(readFile(t.file("small.bak")), QByteArray("the previous backup"));
        QCOMPARE(files(), QStringList({"small.bak", "small.csv", "Zoltdata.bak", "Zoltdata.csv"}));
        // Without a previous backup, none is left.
        QVERIFY(QFile::remove(t.file("small.bak")));
        QCOMPARE(runBatch({"--db", db, "payment-save", small}, Limit).exitCode, 1);
        QCOMPARE(readFile(small), QByteArray("small"));
        QCOMPARE(files(), QStringList({"small.csv", "Zoltdata.bak", "Zoltdata.csv"}));

        // A backup name taken by a folder: nothing is written.
        QVERIFY(QDir(t.dir()).mkdir("Folder.bak"));
        PaymentFileText::WriteBytes(t.file("Folder.csv"), "folder");
        run = runBatch({"--db", db, "payment-save", t.file("Folder.csv")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(" Debug (  2) occurred: Cannot back up " + t.file("Folder.csv")), qPrintable(run.out));
        QCOMPARE(readFile(t.file("Folder.csv")), QByteArray("folder"));
        QVERIFY(QFileInfo(t.file("Folder.bak")).isDir());
    }
};

QTEST_GUILESS_MAIN(TestBatchPayment)
#include "test_batch_payment.moc"
