#include "payment_fixture.h"
#include "support/test_session.h"

#include "store/data_environment.h"

#include "payment/duplicate_detail.h"
#include "payment/duplicate_lines.h"
#include "payment/payment_load.h"
#include "payment/payment_orders.h"
#include "payment/payment_record.h"
#include "payment/payment_task_rules.h"

#include <QtTest>

using namespace zolt;
using namespace zolt::payment;
using namespace zolt::test;

class TestPaymentTaskRules : public QObject {
    Q_OBJECT

private slots:
    void backupNames()
    {
        QCOMPARE(PaymentBackupPath("/data/Zoltdata.csv"), QString("/data/Zoltdata.bak"));
        QCOMPARE(PaymentBackupPath("/data/ZOLTDATA.CSV"), QString("/data/ZOLTDATA.bak"));
        QCOMPARE(PaymentBackupPath("/data/zolt.Csv"), QString("/data/zolt.bak"));
        QCOMPARE(PaymentBackupPath("/data/zolt.txt"), QString("/data/zolt.txt.BAK"));
        QCOMPARE(PaymentBackupPath("/data/csv"), QString("/data/csv.BAK"));
    }

    // The list's orders are the one definition of what rsDetail can be
    // sorted by: the first is the order the data environment makes it in,
    // each source is known again, and the search's source keeps to the
    // agency whatever its number holds.
    void paymentListOrders()
    {
        TestSession t;
        t.exec("INSERT INTO Detail (MORTCO, CD, JUR, FOLIO, NAME) VALUES ('0012', '05', '101', '1', 'B'), "
               "('0012', '05', '100', '2', 'A'), ('O''K', '01', '101', '3', 'C')");
        Recordset &details = t.de().rsDetail();
        QCOMPARE(PaymentListSource(PaymentOrders().front()), details.source());
        for (const PaymentOrder &order : PaymentOrders())
            QCOMPARE(&OrderOfSource(PaymentListSource(order)), &order);
        QCOMPARE(&OrderOfSource("Detail"), &PaymentOrders().front());
        details.open(PaymentListSource(PaymentOrders().back()));  // by name
        QCOMPARE(details.text("NAME"), QString("A"));
        details.open(AgencyPaymentsSource("O'K"));
        QCOMPARE(details.recordCount(), 1);
        QCOMPARE(details.text("NAME"), QString("C"));
    }

    // A payment written as a row of Detail reads back whole, and the fields
    // written are every field of the table but its key.
    void paymentRecordRoundTrip()
    {
        TestSession t;
        const PaymentRecord written{"0012",
                                    DetailRow{"M-1", "PEÑA", "05", "101", "000000000012345678", 12.5, "B", 20, 12.5,
                                              10, 0.25, "LOT 1"},
                                    "12-345-678"};
        Recordset &details = t.de().rsDetail();
        details.open();
        details.addNew();
        WritePayment(details, written);
        details.update();
        details.requery();
        const PaymentRecord read = CurrentPayment(details);
        QStringList got, expected;
        ForEachPaymentField(read, [&got](const char *, const auto &v) { got << QVariant(v).toString(); });
        ForEachPaymentField(written, [&expected](const char *, const auto &v) { expected << QVariant(v).toString(); });
        QCOMPARE(got, expected);
        QStringList fields = details.fieldNames();
        fields.sort();
        QStringList names = PaymentFieldNames();
        names.sort();
        QCOMPARE(names, fields);
    }

    void yearCheck()
    {
        QCOMPARE(CheckDataYear("2026", 2026, false), DataYearCheck::Current);
        QCOMPARE(CheckDataYear("2026", 2026, true), DataYearCheck::Current);
        QCOMPARE(CheckDataYear("2025", 2026, false), DataYearCheck::NotCurrent);
        QCOMPARE(CheckDataYear("2025", 2026, true), DataYearCheck::Historical);
        for (const char *unknown : {"", "1999", "20x6", "202"}) {
            QCOMPARE(CheckDataYear(unknown, 2026, false), DataYearCheck::Future);
            QCOMPARE(CheckDataYear(unknown, 2026, true), DataYearCheck::Future);
        }
        QCOMPARE(CheckDataYear("2027", 2026, true), DataYearCheck::Future);
        QCOMPARE(NotCurrentYearMessage("2025", 2026),
                 QString("The Zoltdata.csv data does not contain the current years payments!\nYear in the file = 2025\n"
                         "This Year = 2026\nIf you want to view the historical Zolt data then under the 'Use Only "
                         "Current Year Data' select the NO option"));
        QCOMPARE(FutureYearLine("2027"),
                 QString("The Zoltdata.csv data contain FUTURE/UNKNOWN year payments??""?! = 2027"));
    }

    void saveRetryAndCancel()
    {
        TestSession t;
        const QString loaded = t.file("Zoltdata.csv");
        PaymentFileText().year(ThisYear()).group("1", "12", {"#1,A,1,101,#5,0.00"}).write(loaded);
        QVERIFY(Csv2Mdb(t.session(), loaded).loaded());

        // A zero total is a successful save: no retry question.
        SaveOutcome done = SavePaymentFile(t.session(), ThisYear(), loaded, PaymentBackupPath(loaded), false);
        QVERIFY(done.saved);
        QVERIFY(!done.savedElsewhere);
        QCOMPARE(done.total, 0.0);
        QVERIFY(t.ui.said.isEmpty());

        // A folder that does not exist: asked for another name, saved there.
        const QString nowhere = t.file("missing/Zoltdata.csv");
        t.ui.inputAnswers = {"  " + t.file("other.csv") + " "};
        done = SavePaymentFile(t.session(), ThisYear(), nowhere, PaymentBackupPath(nowhere), false);
        QVERIFY(done.saved);
        QVERIFY(done.savedElsewhere);
        QCOMPARE(done.path, t.file("other.csv"));
        QVERIFY(QFile::exists(t.file("other.csv")));
        QCOMPARE(t.ui.said.size(), 2);  // the failure, then the question
        QVERIFY(t.ui.said[0].text.section(u'\n', 1).startsWith("Mdb2Csv Unexpected error #"));
        QCOMPARE(t.ui.said[1].text, QString("File Save failed. Do you want to try to save to a different file name"));
        QCOMPARE(t.ui.said[1].title, QString("File Save FAILED"));

        // Cancelled: the failure message of the historical run, nothing saved.
        t.ui.clear();
        done = SavePaymentFile(t.session(), "2019", nowhere, PaymentBackupPath(nowhere), true);
        QVERIFY(!done.saved);
        QCOMPARE(t.ui.said.size(), 3);
        QVERIFY(t.ui.said[1].text.endsWith(" (You may have the Zolt file open by another program)"));
        QCOMPARE(t.ui.said[2].text, QString("Zolt data Save FAILED"));
        QCOMPARE(t.ui.said[2].title, QString("Zolt Data Save"));
        QCOMPARE(t.ui.said[2].icon, MessageIcon::Critical);
    }

    void duplicateListAndReport()
    {
        TestSession t;
        QStringList details;
        for (int i = 0; i < 351; ++i)
            details << "#7,A VERY LONG OWNER NAME THAT IS CUT,05,101,#42,123456789.5,A,0,0,0,0,LEGAL " + QString::number(i);
        const QString path = t.file("d.csv");
        PaymentFileText().year(ThisYear()).masks({"10104##-##"}).group("1", "12", details).write(path);
        const PaymentLoadResult loaded = Csv2Mdb(t.session(), path);
        QVERIFY(loaded.loaded());
        const DuplicateFolioStore &d = loaded.duplicates;
        QCOMPARE(d.count, 350);
        QCOMPARE(DuplicateCountLine(d.count), QString("There are 350 Duplicate Folios in the file"));
        QCOMPARE(DuplicateCountLine(1234567), QString("There are 1,234,567 Duplicate Folios in the file"));
        const QStringList lines = DuplicateListLines(d);
        QCOMPARE(lines.size(), 200);
        // Each value padded or cut to its column; the amount on the right.
        QCOMPARE(lines.first(), QString("0012 05 101 00-42                     7            A VERY LONG OWNER NAME TH "
                                        "      123456789.50 LEGAL 1")
                                    + QString(25, ' '));
        QCOMPARE(DuplicateListHeading(d).indexOf("Payment Amount") + 14, lines.first().indexOf("123456789.50") + 12);
        // A folio display longer than the column (a long mask) is shown whole
        // and widens the column for every line and the heading alike.
        DuplicateFolioStore mixed;
        mixed.count = 2;
        mixed.rows = {d.rows[0], d.rows[1]};
        mixed.rows[1].folioDisplay = "1234-5678-9012-3456-7890-1234-56";
        const QStringList mixedLines = DuplicateListLines(mixed);
        const QString heading = DuplicateListHeading(mixed);
        QVERIFY(mixedLines[1].contains(" 1234-5678-9012-3456-7890-1234-56 "));
        for (const QString &line : mixedLines) {
            QCOMPARE(line.indexOf("A VERY LONG OWNER NAME TH"), heading.indexOf("Name"));
            QCOMPARE(line.indexOf("123456789.50") + 12, heading.indexOf("Payment Amount") + 14);
        }

        FillDetailWithDuplicates(t.session(), d);
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 200);
        QCOMPARE(t.scalar("SELECT FOLIO || '|' || FOLIO_DISP || '|' || PAYMENT || '|' || LEGAL FROM Detail "
                          "WHERE FOLIO = '199'").toString(),
                 QString("199|00-42|123456789.5|LEGAL 200"));
        QCOMPARE(t.de().rsDetail().recordCount(), 200);
    }
};

QTEST_GUILESS_MAIN(TestPaymentTaskRules)
#include "test_payment_task_rules.moc"
