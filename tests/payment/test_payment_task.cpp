#include "payment_fixture.h"
#include "support/test_session.h"

#include "support/fake_task_host.h"

#include "app/payment_task.h"
#include "common/clock.h"

#include <QtTest>

using namespace zolt;
using namespace zolt::test;

namespace {

QByteArray fileOfYear(const QString &year, const QStringList &details = {"#1,SMITH,05,101,#42,12.50"})
{
    return PaymentFileText().year(year).masks({"10104##-##"}).group("1", "12", details).bytes();
}

}  // namespace

class TestPaymentTask : public QObject {
    Q_OBJECT

private slots:
    void currentYearIsLoadedAndSavedBack()
    {
        TestSession t;
        FakeTaskHost host(t.session());
        host.path = t.file("Zoltdata.csv");
        PaymentFileText::WriteBytes(host.path, fileOfYear(ThisYear()));
        app::runPaymentTask(host, t.session());
        QVERIFY(host.closed);
        QVERIFY(t.ui.messages().isEmpty());
        // The agencies first; after the save, the return instructions.
        QCOMPARE(host.screens.shown, QStringList({"Group", "ZOLT_ReturnInstructions"}));
        QCOMPARE(readFile(t.file("Zoltdata.bak")), fileOfYear(ThisYear()));
        QVERIFY(readFile(host.path).contains("#1,SMITH,05,101,#00-42,12.50,A,0.00,0.00,0.00,0.00,\r\n"));
        QVERIFY(!host.savingHidFileType);
    }

    void refusedYears()
    {
        TestSession t;
        FakeTaskHost host(t.session());
        host.path = t.file("Zoltdata.csv");
        const QString last = QString::number(CurrentYear() - 1);
        const QString next = QString::number(CurrentYear() + 1);

        PaymentFileText::WriteBytes(host.path, fileOfYear(next));
        app::runPaymentTask(host, t.session());
        QVERIFY(!host.closed && host.buttonsEnabled);
        QCOMPARE(t.ui.messages(), QStringList{"The Zoltdata.csv data contain FUTURE/UNKNOWN year payments??""?!\nYear = " + next});
        QCOMPARE(host.line, "The Zoltdata.csv data contain FUTURE/UNKNOWN year payments??""?! = " + next);

        t.ui.clear();
        host.optionNo = true;  // other years allowed: a future one still is not
        app::runPaymentTask(host, t.session());
        QCOMPARE(t.ui.messages(), QStringList{"The Zoltdata.csv data contain FUTURE/UNKNOWN year payments??""?!\nYear = " + next});
        QVERIFY(!QFile::exists(t.file("Zoltdata.bak")));

        t.ui.clear();
        host.optionNo = false;
        PaymentFileText::WriteBytes(host.path, fileOfYear(last));
        app::runPaymentTask(host, t.session());
        QVERIFY(!host.closed);
        QVERIFY(t.ui.messages().value(0).startsWith("The Zoltdata.csv data does not contain the current years "
                                                    "payments!\nYear in the file = " + last));
        QCOMPARE(t.ui.said.value(0).title, QString("Zolt Data"));

        // With other years allowed, a year that is refused or missing is still
        // never written back: the file stays as it was.
        PaymentFileText noYear;
        noYear.group("1", "12", {"#1,SMITH,05,101,#42,12.50"});
        for (const QByteArray &bytes : {fileOfYear("1999"), fileOfYear("20 6"), noYear.bytes()}) {
            t.ui.clear();
            host.optionNo = true;
            host.buttonsEnabled = false;
            PaymentFileText::WriteBytes(host.path, bytes);
            app::runPaymentTask(host, t.session());
            QVERIFY(!host.closed && host.buttonsEnabled);
            QCOMPARE(t.ui.messages().size(), 1);
            QVERIFY(t.ui.messages().first().startsWith("The Zoltdata.csv data contain FUTURE/UNKNOWN year payments"));
            QCOMPARE(readFile(host.path), bytes);
            QVERIFY(!QFile::exists(t.file("Zoltdata.bak")));
        }
        QCOMPARE(t.ui.messages().first(), QString("The Zoltdata.csv data contain FUTURE/UNKNOWN year payments??""?!\nYear = "));

        // Historical data: saved back, the file type frame hidden while saving.
        t.ui.clear();
        host.optionNo = true;
        PaymentFileText::WriteBytes(host.path, fileOfYear(last));
        app::runPaymentTask(host, t.session());
        QVERIFY(host.closed);
        QVERIFY(t.ui.messages().isEmpty());
        QVERIFY(host.savingHidFileType);
        QVERIFY(readFile(host.path).startsWith("ZOLT DATA FOR YEAR " + last.toLatin1()));
    }

    // The year checks ask the program's clock: set to 2031, a file of 2031
    // is this year's and one of 2026 is not.
    void theClockDecidesTheCurrentYear()
    {
        TestSession t;
        FakeTaskHost host(t.session());
        host.path = t.file("Zoltdata.csv");
        SetTodayForTesting(QDate(2031, 3, 4));
        PaymentFileText::WriteBytes(host.path, fileOfYear("2026"));
        app::runPaymentTask(host, t.session());
        QVERIFY(!host.closed);
        QVERIFY(t.ui.messages().value(0).contains("Year in the file = 2026\nThis Year = 2031"));
        PaymentFileText::WriteBytes(host.path, fileOfYear("2032"));  // next year still loads, as a future one
        app::runPaymentTask(host, t.session());
        QCOMPARE(t.ui.messages().value(1), QString("The Zoltdata.csv data contain FUTURE/UNKNOWN year payments??""?!\nYear = 2032"));
        PaymentFileText::WriteBytes(host.path, fileOfYear("2031"));
        app::runPaymentTask(host, t.session());
        SetTodayForTesting(QDate());
        QVERIFY(host.closed);
        QVERIFY(readFile(host.path).startsWith("ZOLT DATA FOR YEAR 2031\r\n"));
    }

    // A save that goes to another file after the loaded one could not be
    // written is not followed by the return instructions.
    void returnInstructionsOnlyForTheLoadedFile()
    {
        TestSession t;
        FakeTaskHost host(t.session());
        host.path = t.file("Zoltdata.csv");
        PaymentFileText::WriteBytes(host.path, fileOfYear(ThisYear()));
        host.screens.play = [&host](QDialog &screen) {
            if (screen.objectName() == u"Group") {  // the file's name is taken by a folder meanwhile
                QFile::remove(host.path);
                QDir().mkdir(host.path);
            }
        };
        t.ui.inputAnswers = {t.file("Other.csv")};
        app::runPaymentTask(host, t.session());
        QCOMPARE(host.screens.shown, QStringList{"Group"});
        QVERIFY(readFile(t.file("Other.csv")).startsWith("ZOLT DATA FOR YEAR"));
        QVERIFY(host.closed);
    }

    void failedAndDuplicateLoads()
    {
        TestSession t;
        FakeTaskHost host(t.session());
        host.path = t.file("Zoltdata.csv");
        PaymentFileText::WriteBytes(host.path, "not a payment file\r\n");
        app::runPaymentTask(host, t.session());
        QVERIFY(!host.closed && host.buttonsEnabled);
        QCOMPARE(t.ui.messages().last(), QString("Zolt Data Load FAILED"));
        QCOMPARE(host.line, QString("Zolt Data Load FAILED"));

        t.ui.clear();
        PaymentFileText::WriteBytes(host.path, fileOfYear(ThisYear(), {"#1,A,1,101,#5,1", "#1,A,1,101,#5,1"}));
        app::runPaymentTask(host, t.session());
        QCOMPARE(host.screens.shown, QStringList{"DuplicateFolios"});
        QVERIFY(!host.closed);
        QCOMPARE(t.ui.messages(), QStringList{"Zolt Data Load FAILED (Duplicate Folios in the input file)"});
        QCOMPARE(host.line, QString("Zolt Data Load FAILED (Duplicate Folios in the input file)"));
        QCOMPARE(t.scalar("SELECT FOLIO FROM Detail").toString(), QString("0"));  // the report's rows
    }
};

QTEST_MAIN(TestPaymentTask)
#include "test_payment_task.moc"
