// The payment screens over a database filled by the payment load, opened
// through a navigator that plays the user on the real screens.

#include "payment/payment_fixture.h"
#include "support/fake_task_host.h"
#include "support/test_files.h"
#include "support/test_session.h"
#include "support/widget_lookup.h"

#include "common/clock.h"
#include "widgets/data_grid.h"
#include "widgets/print_output.h"
#include "widgets/screen_controls.h"
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
#include <QRegularExpression>
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
        // A total added up from amounts in cents, as a double keeps it.
        t.exec("UPDATE \"Group\" SET TOT_PAY = 42608.28 + 0.1 + 0.2, FOLIO_CNT = 1234 WHERE MORTCO = '0012'");
        t.de().rsGroup().requery();
        t.de().rsGroup().moveFirst();
        Group_Agency editor(t.session());
        editor.Form_Load();
        QCOMPARE(text(editor, "Label5"), QString("0012"));
        QCOMPARE(text(editor, "Label6"), QString("1,234"));
        QCOMPARE(text(editor, "Label7"), QString("42,608.58"));
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
        // Enough payments for several pages.
        QStringList details = {"#N-3,ZED OBRIEN,05,101,#12-345-678,1234000.00,C,1234000.00,0,0,0,LOT 1"};
        for (int i = 0; i < 120; ++i)
            details << QString("#P-%1,OWNER %1,07,101,#%1,1.00,A,1,0,0,0,LOT %1").arg(i);
        const QString path = t.file("Zoltdata.csv");
        PaymentFileText().year(ThisYear()).masks({"10108##-###-###"}).group("1", "0012", details).write(path);
        QVERIFY(payment::Csv2Mdb(t.session(), path).loaded());
        ZoltSystem(t.de()).rememberFile({"/", t.dir(), "Zoltdata.csv"});
        t.de().rsGroup().moveFirst();
        t.de().rsDetail().setFilter("MORTCO = '0012'");
        TestNavigator screens(t.session(), nullptr);
        Detail list(t.session(), screens);
        list.Form_Load();
        QTest::mouseClick(child<QPushButton>(list, "Command_Print"), Qt::LeftButton);
        const QString pdf = t.file("DetailReport.pdf");
        QCOMPARE(text(list, "Text_Msg"), "There is no printer: the report was saved as " + pdf);

        auto pdfText = [&pdf](const QStringList &options) {
            QProcess pdftotext;
            pdftotext.start("pdftotext", options + QStringList{pdf, "-"});
            pdftotext.waitForFinished();
            return QString::fromUtf8(pdftotext.readAllStandardOutput());
        };
        const QStringList pages = pdfText({"-layout"}).split(u'\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 3);
        // Every page says what it is and whose payments it lists.
        for (const QString &page : pages) {
            const QString words = page.simplified();
            for (const char *part : {"Detail Report", "Agency 0012 0012 MORTGAGE", "Date:", "Type", "Name of Owner"})
                QVERIFY2(words.contains(QLatin1String(part)), part);
        }
        const QString report = pages.join(u' ').simplified();
        for (const char *part : {"Page 1", "Mortgage #", "(A) NO", "Delinquent", "and/or",
                                 "ZED OBRIEN", "OWNER 119", "05 101 12-345-678 N-3 ZED OBRIEN LOT 1 C 1,234,000.00",
                                 "Total Payment Amount 1,234,120.00", "Number of Payments 121",
                                 "******************* END OF REPORT ********************"})
            QVERIFY2(report.contains(QLatin1String(part)), part);
        // Nothing is printed within 10 mm (28.3 points) of the sides.
        const QString boxes = pdfText({"-bbox"});
        double left = 1e9, right = 0, pageWidth = 0;
        for (const QRegularExpressionMatch &m : QRegularExpression(R"re(xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)")re")
                                                    .globalMatch(boxes)) {
            left = std::min(left, m.captured(1).toDouble());
            right = std::max(right, m.captured(2).toDouble());
        }
        if (const auto m = QRegularExpression(R"re(<page width="([\d.]+)")re").match(boxes); m.hasMatch())
            pageWidth = m.captured(1).toDouble();
        QVERIFY2(left >= 28.3 && right <= pageWidth - 28.3 && pageWidth > 0,
                 qPrintable(QString("%1 %2 %3").arg(left).arg(right).arg(pageWidth)));
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

        // No second drive: no error, said plainly, and the message line shows
        // its start.
        QTest::mouseClick(child<QPushButton>(screen, "Command_DriveB"), Qt::LeftButton);
        auto *line = child<QLineEdit>(screen, "Text_Msg");
        QVERIFY(line->text().startsWith("No removable drive is mounted as Drive B: (the second diskette"));
        QCOMPARE(line->cursorPosition(), 0);
        QCOMPARE(t.ui.said.last().text, line->text());
        QCOMPARE(t.ui.said.last().icon, MessageIcon::Information);

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
