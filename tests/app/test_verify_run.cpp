// The verification task in the real program: the main window with its own
// navigator, every screen in its real modal loop, played as a person would
// from timers, from the choice of the workbook to the return instructions,
// and the workbook written back with what was done.

#include "app/zolt_payment.h"
#include "support/screen_script.h"
#include "support/sheet_grid.h"
#include "support/test_files.h"
#include "support/test_session.h"
#include "support/screen_actions.h"
#include "verify/xlsx_fixture.h"
#include "widgets/data_grid.h"
#include "widgets/file_location_picker.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

namespace {

// Into a field and out of it with Tab, as a person types.
void type(QWidget &screen, const char *name, const QString &text)
{
    QWidget *field = child<QWidget>(screen, name);
    field->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

// The row of the list holding a mortgage number, -1 for none.
int rowOf(QWidget &screen, const QString &number)
{
    DataGrid &g = grid(screen);
    for (int row = 0; row < g.model()->rowCount(); ++row) {
        if (g.model()->index(row, 2).data().toString() == number)
            return row;
    }
    return -1;
}

void startTask(app::ZoltPayment &window, const TestSession &ts)
{
    window.show();
    child<QRadioButton>(window, "Option_VERIFY")->click();
    QVERIFY(window.picker()->setDirectory(ts.dir()));
    window.picker()->setFileName("MortNo1.xlsx");
}

}  // namespace

class TestVerifyRun : public QObject {
    Q_OBJECT

private slots:
    void aWholeRunThroughTheRealScreens()
    {
        TestSession ts;
        const QString path = ts.file("MortNo1.xlsx");
        WriteThreeFolioWorkbook(path);
        app::ZoltPayment window(ts.session());
        startTask(window, ts);

        QString found, afterSearch, listed;
        ScreenScript script;
        script
            // Mark the first folio deleted, then find MITCHELL through the search.
            .on("Verify_Numbers", [&](QWidget &s) {
                listed = QString::number(grid(s).model()->rowCount());
                clickRow(s, rowOf(s, "M-100"));
                click(s, "Command_Inactivate");
                click(s, "Command_Search");
            })
            .on("Verify_Numbers_Search", [&](QWidget &s) {
                click(s, "Check_NAME");
                type(s, "txtNAME", "MITCH");
                QTest::keyClick(child<QLineEdit>(s, "txtNAME"), Qt::Key_Return);
                found = child<QLineEdit>(s, "Text_Msg")->text();
                click(s, "Command_Select");
            })
            .on("Verify_Numbers", [&](QWidget &s) {
                afterSearch = grid(s).currentIndex().siblingAtColumn(2).data().toString();
                click(s, "Command_AddDetail");
            })
            // A folio the workbook did not list.
            .on("Verify_Number_Add", [](QWidget &s) {
                type(s, "txtNUMBER", "M-400");
                child<QComboBox>(s, "ComboCD")->setFocus();
                child<QComboBox>(s, "ComboCD")->setCurrentIndex(0);  // 05 NORTH: its one jurisdiction
                QTest::keyClick(child<QComboBox>(s, "ComboCD"), Qt::Key_Tab);
                type(s, "txtFOLIO", "444-44444");
                type(s, "txtNAME", "new owner");
                click(s, "Command_OK");
            })
            // A double-click opens the change screen of the row: a new number.
            .on("Verify_Numbers", [](QWidget &s) { doubleClickRow(s, rowOf(s, "M-300")); })
            .on("Verify_Number_Change", [](QWidget &s) {
                type(s, "txtNUMBER", "M-333");
                click(s, "Command1");
            })
            // The folio added by mistake, removed for good.
            .on("Verify_Numbers", [](QWidget &s) {
                clickRow(s, rowOf(s, "M-400"));
                s.findChild<QAction *>("mnuPermanentDelete")->trigger();
            })
            .on("Verify_Number_Delete", [](QWidget &s) { click(s, "Command_Delete"); })
            .on("Verify_Numbers", [](QWidget &s) { QTest::keyClick(&s, Qt::Key_Escape); })
            .on("ZOLT_ReturnInstructions2", [](QWidget &s) { click(s, "Command_Exit"); });
        script.start();
        QTest::mouseClick(child<QPushButton>(window, "Command_VERIFY_OK"), Qt::LeftButton);

        QVERIFY2(script.finished(), qPrintable(script.failure() + " after " + script.visited().join(", ")));
        QVERIFY(!window.isVisible());
        QCOMPARE(listed, QString("3"));
        QCOMPARE(found, QString("Folio Record Found!"));
        QCOMPARE(afterSearch, QString("M-200"));
        // The workbook written back: the marks, the new number, no M-400.
        const SheetGrid sheet(path, 1);
        QStringList rows;
        for (int row = 2; row <= sheet.rowCount(); ++row)
            rows << sheet.cell(row, 1) + '|' + sheet.cell(row, 3).trimmed();
        rows.sort();
        QCOMPARE(rows, QStringList({" |M-200", "C|M-333", "D|M-100"}));
        QCOMPARE(ts.scalar("SELECT count(*) FROM VERIFY").toInt(), 0);
    }

    // Verify.csv through the real screens: the helps in the real
    // information dialog, whose OK leaves the list up; the export, then both
    // imports, the list showing the folios each left; the workbook written
    // back with them.
    void verifyCsvThroughTheRealScreens()
    {
        TestSession ts;
        const QString path = ts.file("MortNo1.xlsx");
        WriteThreeFolioWorkbook(path);
        const QString before = QDir::currentPath();
        QDir::setCurrent(ts.dir());
        app::ZoltPayment window(ts.session());
        startTask(window, ts);
        QString helpTitle, afterImport;
        ScreenScript script;
        script.on("Verify_Numbers", [](QWidget &s) { click(s, "Command_Exp_Help"); })
            .on("Form_InformationDialog", [&](QWidget &s) {
                helpTitle = child<QLabel>(s, "Label_Title")->text();
                click(s, "OKButton");
            })
            .on("Verify_Numbers", [](QWidget &s) { s.findChild<QAction *>("mnuImportHelp")->trigger(); })
            .on("Form_InformationDialog", [](QWidget &s) { click(s, "OKButton"); })
            .on("Verify_Numbers", [&](QWidget &s) {
                clickRow(s, rowOf(s, "M-100"));
                click(s, "Command_Inactivate");
                click(s, "Command_Export");
                // The file edited outside: a new name, and a new folio.
                QFile csv(ts.file("Verify.csv"));
                QVERIFY(csv.open(QIODevice::ReadOnly));
                QByteArray text = csv.readAll().replace("SMITH JOHN", "SMITH JANE") + "A,0012,M-500,05,701,55555555\r\n";
                csv.close();
                writeFile(ts.file("Verify.csv"), text);
                click(s, "Command_Import1");
                afterImport = QString::number(grid(s).model()->rowCount());
                click(s, "Command_Import2");
                QTest::keyClick(&s, Qt::Key_Escape);
            })
            .on("ZOLT_ReturnInstructions2", [](QWidget &s) { click(s, "Command_Exit"); });
        script.start();
        QTest::mouseClick(child<QPushButton>(window, "Command_VERIFY_OK"), Qt::LeftButton);
        QDir::setCurrent(before);

        QVERIFY2(script.finished(), qPrintable(script.failure() + " after " + script.visited().join(", ")));
        QCOMPARE(helpTitle, QString("Export Information"));
        QCOMPARE(afterImport, QString("4"));
        // M-300 lies in a district and jurisdiction that are no valid pair.
        QStringList said = ts.ui.messages();
        QCOMPARE(said.filter("Record:").size(), 2);
        QVERIFY(said.filter("Record:").first().contains("Collection District (06) and Jurisdiction (701) is NOT"));
        said.removeIf([](const QString &m) { return m.contains("Record:"); });
        QCOMPARE(said.mid(said.size() - 3), QStringList({"Export to the Verify.csv file complete. 3 Records exported",
                                    "Import from the Verify.csv file (option #1) complete. ",
                                    "Import from the Verify.csv file (option #2) complete. "}));
        const SheetGrid sheet(path, 1);
        QStringList rows;
        for (int row = 2; row <= sheet.rowCount(); ++row)
            rows << sheet.cell(row, 1) + '|' + sheet.cell(row, 3).trimmed() + '|' + sheet.cell(row, 8).trimmed();
        rows.sort();
        QCOMPARE(rows, QStringList({" |M-200|MITCHELL ANN", "A|M-500|", "D|M-100|SMITH JANE"}));
    }

    // Closed asking that nothing be saved: the program ends, the workbook
    // as it was, no return instructions.
    void closedWithoutSaving()
    {
        TestSession ts;
        const QString path = ts.file("MortNo1.xlsx");
        WriteThreeFolioWorkbook(path);
        const QByteArray original = readFile(path);
        app::ZoltPayment window(ts.session());
        startTask(window, ts);
        ScreenScript script;
        script.on("Verify_Numbers", [](QWidget &s) {
            click(s, "Command_Inactivate");
            s.findChild<QAction *>("mnuCloseNOW")->trigger();
        });
        script.start();
        QTest::mouseClick(child<QPushButton>(window, "Command_VERIFY_OK"), Qt::LeftButton);
        QVERIFY2(script.finished(), qPrintable(script.failure()));
        QVERIFY(!window.isVisible());
        QCOMPARE(readFile(path), original);
        QVERIFY(!QFile::exists(path + ".bak"));
    }
};

QTEST_MAIN(TestVerifyRun)
#include "test_verify_run.moc"
