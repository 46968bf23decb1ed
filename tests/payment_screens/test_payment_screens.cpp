// The payment screens over a database filled by the payment load, opened
// through a navigator that plays the user on the real screens.

#include "payment/payment_fixture.h"
#include "support/fake_task_host.h"
#include "support/test_files.h"
#include "support/test_session.h"
#include "support/widget_lookup.h"

#include "common/clock.h"
#include "common/widgets/data_grid.h"
#include "common/widgets/print_output.h"
#include "common/widgets/screen_controls.h"
#include "payment/payment_load.h"
#include "payment_screens/detail.h"
#include "payment_screens/group.h"
#include "payment_screens/group_agency.h"
#include "payment_screens/zolt_return_instructions.h"
#include "store/zolt_system.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using namespace zolt::payment_screens;

namespace {

// Two agencies: 0012 with three payments adding up to 1,234,567.50, and
// 0034 with none; names with a quote, an apostrophe and a comma.
void loadPayments(TestSession &t, const QString &year = ThisYear())
{
    const QString path = t.file("Zoltdata.csv");
    PaymentFileText()
        .year(year)
        .masks({"10108##-###-###"})
        .group("1", "0012",
               {"#N-3,ZED O'BRIEN,05,101,#12-345-678,1234000.00,A,1234000.00,0,0,0,LOT 1, BLOCK 2",
                "#N-1,ADAMS \"AL\",05,101,#00-000-001,567.50,B,600,567.50,0,0,LOT 3",
                "#N-2,BAKER,07,101,#00-000-002,0,C,0,0,0,0,"})
        .group("2", "0034", {})
        .write(path);
    QVERIFY(payment::Csv2Mdb(t.session(), path).loaded());
    ZoltSystem(t.de()).rememberFile({"/", t.dir(), "Zoltdata.csv"});
    ZoltSystem(t.de()).setDataYear(year);
}

QString text(QWidget &screen, const char *name)
{
    if (auto *label = screen.findChild<QLabel *>(QString::fromLatin1(name)))
        return label->text();
    return child<QLineEdit>(screen, name)->text();
}

QStringList gridColumn(DataGrid *grid, int column)
{
    QStringList out;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        out << grid->model()->index(row, column).data().toString();
    return out;
}

}  // namespace

class TestPaymentScreens : public QObject {
    Q_OBJECT

private slots:
    void groupTotalsFollowTheAgencysPayments()
    {
        TestSession t;
        loadPayments(t);
        TestNavigator screens(t.session(), nullptr);
        Group group(t.session(), screens);
        group.Form_Load();
        QCOMPARE(text(group, "Label_Total"), QString("1,234,567.50"));
        QVERIFY(child<QGroupBox>(group, "Frame_Historical")->isHidden());
        QCOMPARE(text(group, "Label_Group"), QString("0001"));

        // The agency's list opens filtered to it; a payment deleted there
        // changes the agency's count and total and the grand total.
        screens.play = [&t](QDialog &screen) {
            QCOMPARE(screen.objectName(), QString("Detail"));
            Recordset &details = t.de().rsDetail();
            QCOMPARE(details.recordCount(), 3);
            QVERIFY(details.find("NAME = 'ZED OBRIEN'"));
            details.deleteCurrent();
        };
        QTest::mouseClick(child<QPushButton>(group, "Command_Details"), Qt::LeftButton);
        QCOMPARE(screens.shown, QStringList{"Detail"});
        QCOMPARE(text(group, "Label_Total"), QString("567.50"));
        QCOMPARE(t.scalar("SELECT FOLIO_CNT || '|' || TOT_PAY FROM \"Group\" WHERE MORTCO = '0012'").toString(),
                 QString("2|567.5"));
        QVERIFY(t.de().rsDetail().filter().isEmpty());

        // The empty agency: 0 payments, 0.00; the grand total is of all agencies.
        screens.play = [&t](QDialog &) {
            Recordset &details = t.de().rsDetail();
            details.moveFirst();
            while (!details.eof())
                details.deleteCurrent(), details.moveNext();
        };
        group.grid()->setCurrentIndex(group.grid()->model()->index(0, 0));
        QTest::mouseClick(child<QPushButton>(group, "Command_Details"), Qt::LeftButton);
        QCOMPARE(text(group, "Label_Total"), QString("0.00"));
        QCOMPARE(group.grid()->model()->index(0, 4).data().toString().right(4), QString("0.00"));
    }

    void historicalYearIsShown()
    {
        TestSession t;
        SetTodayForTesting(QDate(2031, 1, 5));
        loadPayments(t, "2030");
        TestNavigator screens(t.session(), nullptr);
        Group group(t.session(), screens);
        group.Form_Load();
        SetTodayForTesting(QDate());
        QVERIFY(!child<QGroupBox>(group, "Frame_Historical")->isHidden());
        QCOMPARE(text(group, "Label_Historical_Year"), QString("2030"));
    }

    void agencyEditorStoresItsChangesHoweverItCloses()
    {
        TestSession t;
        loadPayments(t);
        t.de().rsGroup().moveFirst();
        Group_Agency editor(t.session());
        editor.Form_Load();
        QCOMPARE(text(editor, "Label5"), QString("0012"));
        QVERIFY(!child<QLineEdit>(editor, "Text1")->isReadOnly());
        child<QLineEdit>(editor, "Text1")->setText("acme mortgage");
        child<QLineEdit>(editor, "Text5")->setText("12 park lane");
        editor.show();
        editor.close();  // the window's close box
        QCOMPARE(t.scalar("SELECT NAME1 || '|' || ADDR1 FROM \"Group\" WHERE MORTCO = '0012'").toString(),
                 QString("ACME MORTGAGE|12 PARK LANE"));
        QCOMPARE(child<QLineEdit>(editor, "Text3")->maxLength(), 25);
    }

    void detailSortsExportsAndResizes()
    {
        TestSession t;
        loadPayments(t);
        TestNavigator screens(t.session(), nullptr);
        Recordset &details = t.de().rsDetail();
        details.setFilter("MORTCO = '0012'");
        {
            Detail list(t.session(), screens);
            list.Form_Load();
            QCOMPARE(list.grid()->model()->rowCount(), 3);
            child<QRadioButton>(list, "Option_Sort_Name")->click();
            QCOMPARE(gridColumn(list.grid(), 4), QStringList({"ADAMS AL", "BAKER", "ZED OBRIEN"}));
            QCOMPARE(t.shared.gSQL, QString("SELECT * FROM Detail ORDER BY MORTCO, NAME"));

            // Export.csv beside the payment file: twelve fields a line.
            QTest::mouseClick(child<QPushButton>(list, "Command_Export"), Qt::LeftButton);
            QCOMPARE(text(list, "Text_Msg"), QString("Export Complete! (Export.csv)"));
            const QStringList lines = QString::fromLatin1(readFile(t.file("Export.csv"))).split("\r\n");
            QCOMPARE(lines, QStringList({"N-1,ADAMS AL,05,101,00-000-001,567.50,B,600.00,567.50,0.00,0.00,LOT 3",
                                         "N-2,BAKER,07,101,00-000-002,0.00,C,0.00,0.00,0.00,0.00,",
                                         "N-3,ZED OBRIEN,05,101,12-345-678,1234000.00,A,1234000.00,0.00,0.00,0.00,"
                                         "LOT 1 BLOCK 2",
                                         ""}));
            QCOMPARE(t.shared.gFilter, QString("MORTCO = '0012' "));
            QTest::mouseClick(child<QPushButton>(list, "Command_Export"), Qt::LeftButton);
            QCOMPARE(readFile(t.file("Export.csv")).count('\n'), 3);  // replaced, not appended

            // The window does not shrink below 9645 by 6450 twips.
            list.show();
            list.resize(50, 50);
            QCOMPARE(list.size(), QSize(TwipsToPixels(9645, &list), TwipsToPixels(6450, &list)));
        }
        // Opened again, the list keeps the order and shows its option.
        Detail again(t.session(), screens);
        again.Form_Load();
        QVERIFY(child<QRadioButton>(again, "Option_Sort_Name")->isChecked());
        QCOMPARE(gridColumn(again.grid(), 4).first(), QString("ADAMS AL"));

        // An agency without payments exports an empty file.
        t.de().rsGroup().moveLast();
        details.setFilter("MORTCO = '0034'");
        QTest::mouseClick(child<QPushButton>(again, "Command_Export"), Qt::LeftButton);
        QCOMPARE(readFile(t.file("Export.csv")), QByteArray());
    }

    void reportSaysEveryPaymentAndTheTotals()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        TestSession t;
        loadPayments(t);
        TestNavigator screens(t.session(), nullptr);
        t.de().rsDetail().setFilter("MORTCO = '0012'");
        Detail list(t.session(), screens);
        list.Form_Load();
        QTest::mouseClick(child<QPushButton>(list, "Command_Print"), Qt::LeftButton);
        const QString pdf = t.file("DetailReport.pdf");
        QCOMPARE(text(list, "Text_Msg"), "There is no printer: the report was saved as " + pdf);
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(pdftotext.waitForFinished());
        const QString report = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
        for (const char *part : {"Zolt", "Page 1", "Date:", "Time:", "Mortgage #", "Name of Owner", "(A) NO Grant",
                                 "Delinquent Tax", "and/or Credits", "ADAMS AL", "BAKER", "ZED OBRIEN", "1,234,000.00",
                                 "05 101 12-345-678", "Total Payment Amount 1,234,567.50", "Number of Payments 3",
                                 "******************* END OF REPORT ********************"})
            QVERIFY2(report.contains(QLatin1String(part)), part);
    }

    void returnInstructionsCopyTheFile()
    {
        TestSession t;
        loadPayments(t);
        QTemporaryDir stick;
        ZOLT_ReturnInstructions screen(t.session());
        screen.setRemovableVolumes([&stick] { return QStringList{stick.path()}; });
        screen.Form_Load();
        QCOMPARE(text(screen, "Label_Payment"), QString("1,234,567.50"));
        QCOMPARE(screen.fileName(), t.file("Zoltdata.csv"));

        QTest::mouseClick(child<QPushButton>(screen, "Command_DriveA"), Qt::LeftButton);
        const QString copy = stick.filePath("Zoltdata.csv");
        QCOMPARE(text(screen, "Text_Msg"), "ZOLT data file is copied to " + copy);
        QCOMPARE(readFile(copy), readFile(t.file("Zoltdata.csv")));

        // No second drive: said in the message line and a box.
        QTest::mouseClick(child<QPushButton>(screen, "Command_DriveB"), Qt::LeftButton);
        QVERIFY(text(screen, "Text_Msg").startsWith("Unexpected error occurred! Ensure that the ZOLT diskette is in "
                                                     "Drive B:"));
        QCOMPARE(t.ui.said.last().icon, MessageIcon::Critical);

        // A folder of the user's choice; the file's own folder: already there.
        QTemporaryDir folder;
        t.ui.folderAnswers = {folder.path(), t.dir()};
        QTest::mouseClick(child<QPushButton>(screen, "Command_CopyToFolder"), Qt::LeftButton);
        QVERIFY(QFile::exists(folder.filePath("Zoltdata.csv")));
        QTest::mouseClick(child<QPushButton>(screen, "Command_CopyToFolder"), Qt::LeftButton);
        QCOMPARE(text(screen, "Text_Msg"), "The ZOLT data file is already at " + t.file("Zoltdata.csv"));
        QVERIFY(child<QPushButton>(screen, "Command_Exit")->isEnabled());
    }
};

QTEST_MAIN(TestPaymentScreens)
#include "test_payment_screens.moc"
