// Both tasks from the main window, as a user runs them: choose the file,
// press the task's button, and find the file written back with its backup.

#include "app/zolt_payment.h"
#include "common/widgets/file_location_picker.h"
#include "common/workbook/workbook_reader.h"
#include "payment/payment_fixture.h"
#include "support/test_files.h"
#include "support/test_session.h"
#include "support/widget_lookup.h"
#include "verify/xlsx_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using zolt::app::ZoltPayment;

namespace {

const QString Detail = QStringLiteral("#7,SMITH JOHN,05,101,#42,100.5,A,100.5,0,0,0,LOT 1");

void choose(ZoltPayment &w, const QString &dir, const QString &file)
{
    QVERIFY(w.picker()->setDirectory(dir));
    w.picker()->setFileName(file);
}

}  // namespace

class TestTasks : public QObject {
    Q_OBJECT

private slots:
    void paymentFileLoadedAndSavedBack()
    {
        TestSession ts;
        const QString path = ts.file("Zoltdata.csv");
        PaymentFileText().year(ThisYear()).masks({"10104##-##"}).group("1", "12", {Detail}).write(path);
        const QByteArray original = readFile(path);

        ZoltPayment w(ts.session());
        w.show();
        choose(w, ts.dir(), "Zoltdata.csv");
        QTest::mouseClick(child<QPushButton>(w, "Command_OK"), Qt::LeftButton);

        QCOMPARE(ts.ui.messages(), QStringList());
        QVERIFY(!w.isVisible());  // the task ends the program
        QCOMPARE(readFile(ts.file("Zoltdata.bak")), original);
        const QString written = QString::fromLatin1(readFile(path));
        QVERIFY2(written.contains("\r\nNumber of Payment records,1\r\nPayment Amount,100.50\r\n"), qPrintable(written));
        QVERIFY(written.contains("#7,SMITH JOHN,05,101,#00-42,100.50,A,100.50,0.00,0.00,0.00,LOT 1\r\n"));
    }

    void duplicatesAreShownAndTheFileIsLeftAlone()
    {
        TestSession ts;
        const QString path = ts.file("Zoltdata.csv");
        PaymentFileText().year(ThisYear()).group("1", "12", {Detail, Detail}).write(path);
        const QByteArray original = readFile(path);

        ZoltPayment w(ts.session());
        w.show();
        choose(w, ts.dir(), "Zoltdata.csv");
        const auto shown = closeNextModal();
        QTest::mouseClick(child<QPushButton>(w, "Command_OK"), Qt::LeftButton);

        QCOMPARE(*shown, QString("DuplicateFolios"));
        QCOMPARE(ts.ui.messages(), QStringList{"Zolt Data Load FAILED (Duplicate Folios in the input file)"});
        QCOMPARE(child<QLineEdit>(w, "Text_Msg")->text(),
                 QString("Zolt Data Load FAILED (Duplicate Folios in the input file)"));
        QVERIFY(w.isVisible() && child<QPushButton>(w, "Command_OK")->isEnabled());
        QCOMPARE(readFile(path), original);
        QVERIFY(!QFile::exists(ts.file("Zoltdata.bak")));
    }

    void verificationWorkbookWrittenBack()
    {
        TestSession ts;
        QList<FixtureSheet> sheets = VerifyFixtureSheets();
        sheets[0].rows << MortgageRow({"", "0012", "N-1", 5.0, "101", 12345678.0});
        const QString path = ts.file("MortNo1.xlsx");
        WriteFixtureWorkbook(path, sheets);
        const QByteArray original = readFile(path);

        ZoltPayment w(ts.session());
        w.show();
        child<QRadioButton>(w, "Option_VERIFY")->click();
        choose(w, ts.dir(), "MortNo1.xlsx");
        const auto shown = closeNextModal();
        QTest::mouseClick(child<QPushButton>(w, "Command_VERIFY_OK"), Qt::LeftButton);

        QCOMPARE(*shown, QString("ZOLT_ReturnInstructions2"));
        QCOMPARE(ts.ui.messages(), QStringList());
        QVERIFY(!w.isVisible());
        QCOMPARE(readFile(path + ".bak"), original);
        auto workbook = WorkbookReader::open(path);
        QCOMPARE(workbook->sheetName(1), QString("Mortgage"));
        QCOMPARE(workbook->sheet(1).cell(2, 3), QString("N-1"));
        QCOMPARE(workbook->sheet(1).cell(2, 6), QString("12345678"));
        QCOMPARE(ts.scalar("SELECT COUNT(*) FROM VERIFY").toInt(), 0);
    }
};

QTEST_MAIN(TestTasks)
#include "test_tasks.moc"
