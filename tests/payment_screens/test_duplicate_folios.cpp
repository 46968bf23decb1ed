#include "payment/payment_fixture.h"
#include "support/test_session.h"

#include "payment/payment_load.h"
#include "payment_screens/duplicate_folios.h"
#include "store/zolt_system.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

class TestDuplicateFolios : public QObject {
    Q_OBJECT

private slots:
    void listsTheDuplicatesOfTheLoad()
    {
        TestSession t;
        // Folios of a masked jurisdiction and of one without a mask (shown
        // wider), names with accents.
        QStringList details = {"#M-1,PEÑA MARÍA,05,101,#12-345-678,100,A,100,0,0,0,LOT A",
                               "#M-1,PEÑA MARÍA,05,101,#12-345-678,100,A,100,0,0,0,LOT A",
                               "#MORTGAGE-2,MÜLLER,07,202,#99,12345.5,A,0,0,0,0,LOT B",
                               "#MORTGAGE-2,MÜLLER,07,202,#99,12345.5,A,0,0,0,0,LOT B"};
        for (int i = 0; i < 349; ++i)
            details << "#7,SMITH,05,101,#42,12.5,A,0,0,0,0,LEGAL " + QString::number(i);
        const QString path = t.file("d.csv");
        PaymentFileText().year(ThisYear()).masks({"10108##-###-###"}).group("1", "12", details).write(path);
        const payment::PaymentLoadResult loaded = payment::Csv2Mdb(t.session(), path);
        QVERIFY(loaded.loaded());
        ZoltSystem(t.de()).rememberFile({"/", t.dir(), "d.csv"});

        payment_screens::DuplicateFolios screen(t.session(), loaded.duplicates);
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 3);  // building the screen touches no data
        screen.Form_Load();
        auto *list = screen.findChild<QListWidget *>("List_DuplicateFolios");
        QVERIFY(list);
        QCOMPARE(list->count(), 200);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(list->font().family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
        QCOMPARE(screen.findChild<QLabel *>("Label_FolioCount")->text(),
                 QString("There are 350 Duplicate Folios in the file"));

        // Each value stands under its heading, letters as they are (the
        // columns of every value are the list lines' own test).
        const QString heading = screen.findChild<QLabel *>("Label2")->text();
        auto under = [&heading](const QString &line, const QString &column, int width) {
            return line.mid(heading.indexOf(column), width).trimmed();
        };
        const QString first = list->item(0)->text(), second = list->item(1)->text();
        QCOMPARE(under(first, "Folio #", 25), QString("12-345-678"));
        QCOMPARE(under(second, "Folio #", 25), QString("000000000000000099"));
        QCOMPARE(under(first, "Name", 25), QString("PEÑA MARÍA"));
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 200);
        QVERIFY(t.ui.messages().isEmpty());

        // Print: a report of its own, beside the payment file where there
        // is no printer.
        QTest::mouseClick(screen.findChild<QPushButton *>("Command_Print"), Qt::LeftButton);
        const QString pdf = t.file("DuplicateFolios.pdf");
        QCOMPARE(screen.findChild<QLabel *>("Label_FolioCount")->text(),
                 "There is no printer: the report was saved as " + pdf);
        QVERIFY(!QFile::exists(t.file("DetailReport.pdf")));
        if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            QProcess pdftotext;
            pdftotext.start("pdftotext", {"-layout", pdf, "-"});
            QVERIFY(pdftotext.waitForFinished());
            const QString report = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
            for (const char *part : {"Duplicate Folios", "There are 350 Duplicate Folios", "Mortgage #",
                                     "0012 05 101 12-345-678 M-1 PEÑA MARÍA 100.00 LOT A", "LEGAL 198"})
                QVERIFY2(report.contains(QString::fromUtf8(part)), part);
            QVERIFY(!report.contains("LEGAL 199"));  // the 200 listed, no more
        }

        screen.show();
        QTest::mouseClick(screen.findChild<QPushButton *>("Command_OK"), Qt::LeftButton);
        QVERIFY(!screen.isVisible());
    }
};

QTEST_MAIN(TestDuplicateFolios)
#include "test_duplicate_folios.moc"
