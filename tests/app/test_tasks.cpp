// Both tasks from the main window, as a user runs them: choose the file,
// press the task's button, and find the file written back with its backup.

#include "support/sheet_grid.h"
#include "app/task_host.h"
#include "app/zolt_payment.h"
#include "widgets/file_location_picker.h"
#include "payment/payment_fixture.h"
#include "support/fake_task_host.h"
#include "support/test_files.h"
#include "support/test_session.h"
#include "support/widget_lookup.h"
#include "verify/xlsx_fixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using zolt::app::ZoltPayment;

namespace {

const QString Detail = QStringLiteral("#7,SMITH JOHN,05,101,#42,100.5,A,100.5,0,0,0,LOT 1");

const QString Saving = QStringLiteral("Saving the Zolt data");
const QString Reading = QStringLiteral("Reading the verification workbook");
const QString Writing = QStringLiteral("Writing the verification workbook");

void choose(ZoltPayment &w, const QString &dir, const QString &file)
{
    QVERIFY(w.picker()->setDirectory(dir));
    w.picker()->setFileName(file);
}

// One agency's payments, each on its own folio.
QStringList payments(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("#%1,OWNER %1,05,101,#%1,10.00,A,10.00,0,0,0,LOT %1").arg(i);
    return lines;
}

// A workbook of that many mortgage rows and two folio masks.
void writeWorkbook(const QString &path, int rows)
{
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    for (int i = 1; i <= rows; ++i)
        sheets[0].rows << MortgageRow({"", "0012", QString("N-%1").arg(i), 5.0, "101", double(i)});
    sheets[1].rows << QVariantList{"101", 8.0, "###-#####"} << QVariantList{"102", 8.0, "#####-###"};
    WriteFixtureWorkbook(path, sheets);
}

// "done/total" of each report of the work that reported text.
QStringList counts(const RecordingDialog &ui, const QString &text)
{
    QStringList out;
    for (const RecordingDialog::Progress &p : ui.progressOf(text))
        out << QString("%1/%2").arg(p.done).arg(p.total);
    return out;
}

// The user closes the window when the work reporting text has done that many steps.
void closeWhen(RecordingDialog &ui, QWidget &window, const QString &text, qint64 done)
{
    ui.onProgress = [&window, text, done](const RecordingDialog::Progress &p) {
        if (p.text == text && p.done == done)
            window.close();
    };
}

// The files of the test's folder that the task works on.
QStringList taskFiles(const TestSession &ts)
{
    return QDir(ts.dir()).entryList({"Zoltdata*", "MortNo*"}, QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace

class TestTasks : public QObject {
    Q_OBJECT

private slots:
    void duplicatesAreShownAndTheFileIsLeftAlone()
    {
        TestSession ts;
        const QString path = ts.file("Zoltdata.csv");
        PaymentFileText().year(ThisYear()).group("1", "12", {Detail, Detail}).write(path);
        const QByteArray original = readFile(path);

        TestWindow w(ts.session());
        w.show();
        choose(w, ts.dir(), "Zoltdata.csv");
        TestNavigator &screens = *w.screens;
        QTest::mouseClick(child<QPushButton>(w, "Command_OK"), Qt::LeftButton);

        QCOMPARE(screens.shown, QStringList{"DuplicateFolios"});
        QCOMPARE(ts.ui.messages(), QStringList{"Zolt Data Load FAILED (Duplicate Folios in the input file)"});
        QCOMPARE(child<QLineEdit>(w, "Text_Msg")->text(),
                 QString("Zolt Data Load FAILED (Duplicate Folios in the input file)"));
        QVERIFY(w.isVisible() && child<QPushButton>(w, "Command_OK")->isEnabled());
        QCOMPARE(readFile(path), original);
        QVERIFY(!QFile::exists(ts.file("Zoltdata.bak")));
    }

    // Closing the window while the file is saved asks whether to stop: Yes
    // leaves the file as it was, and its backup (there was none), No lets
    // the save finish.
    void closeWhileSavingAsksToStop_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::newRow("stop") << true;
        QTest::newRow("go on") << false;
    }

    void closeWhileSavingAsksToStop()
    {
        QFETCH(bool, stop);
        TestSession ts;
        const QString path = ts.file("Zoltdata.csv");
        PaymentFileText().year(ThisYear()).group("1", "12", payments(1200)).write(path);
        const QByteArray original = readFile(path);

        TestWindow w(ts.session());
        w.show();
        choose(w, ts.dir(), "Zoltdata.csv");
        ts.ui.yesNoAnswers = {stop};
        closeWhen(ts.ui, w, Saving, 1000);
        QTest::mouseClick(child<QPushButton>(w, "Command_OK"), Qt::LeftButton);

        QCOMPARE(ts.ui.questions(), QStringList{StopQuestion});
        QCOMPARE(ts.ui.said.size(), 1);  // no failure, no other file name asked for
        QVERIFY(!w.isVisible());
        if (stop) {
            QCOMPARE(taskFiles(ts), QStringList({"Zoltdata.csv"}));
            QCOMPARE(readFile(path), original);
            QCOMPARE(counts(ts.ui, Saving), QStringList{"1000/1200"});
        } else {
            QCOMPARE(taskFiles(ts), QStringList({"Zoltdata.bak", "Zoltdata.csv"}));
            QCOMPARE(readFile(ts.file("Zoltdata.bak")), original);
            QVERIFY(readFile(path).contains("\r\nNumber of Payment records,1200\r\n"));
            QCOMPARE(counts(ts.ui, Saving), QStringList({"1000/1200", "1200/1200"}));
        }
    }

    // Closing the window while the payment file loads: nothing of it is
    // kept, and nothing is written.
    void closeWhileLoadingAsksToStop()
    {
        TestSession ts;
        const QString path = ts.file("Zoltdata.csv");
        PaymentFileText().year(ThisYear()).group("1", "12", payments(1200)).write(path);
        const QByteArray original = readFile(path);
        TestWindow w(ts.session());
        w.show();
        choose(w, ts.dir(), "Zoltdata.csv");
        ts.ui.yesNoAnswers = {true};
        closeWhen(ts.ui, w, "Setting up Zolt data: lines read", 1000);
        QTest::mouseClick(child<QPushButton>(w, "Command_OK"), Qt::LeftButton);
        QCOMPARE(ts.ui.questions(), QStringList{StopQuestion});
        QCOMPARE(ts.ui.said.size(), 1);
        QVERIFY(!w.isVisible());
        QCOMPARE(taskFiles(ts), QStringList{"Zoltdata.csv"});
        QCOMPARE(readFile(path), original);
        QCOMPARE(ts.scalar("SELECT count(*) FROM Detail").toInt(), 0);
    }

    // Cancel in the progress of either load: the program stays, nothing of
    // the payment file is kept, no list opens, and the file can be loaded
    // again at once.
    void cancelledLoadsGiveBackTheChoice()
    {
        TestSession ts;
        PaymentFileText().year(ThisYear()).group("1", "12", payments(1200)).write(ts.file("Zoltdata.csv"));
        writeWorkbook(ts.file("MortNo1.xlsx"), 1500);
        TestWindow w(ts.session());
        w.show();
        ts.ui.onProgress = [&](const RecordingDialog::Progress &p) {
            if (p.done == 1000 && !p.text.startsWith("Saving"))
                ts.ui.requestCancel();
        };
        choose(w, ts.dir(), "Zoltdata.csv");
        QTest::mouseClick(child<QPushButton>(w, "Command_OK"), Qt::LeftButton);
        child<QRadioButton>(w, "Option_VERIFY")->click();
        choose(w, ts.dir(), "MortNo1.xlsx");
        QTest::mouseClick(child<QPushButton>(w, "Command_VERIFY_OK"), Qt::LeftButton);

        QVERIFY(w.isVisible());
        QCOMPARE(w.screens->shown, QStringList());
        QCOMPARE(ts.ui.said.size(), 0);
        QCOMPARE(child<QLineEdit>(w, "Text_Msg")->text(), app::LoadCancelledLine);
        QVERIFY(child<QPushButton>(w, "Command_VERIFY_OK")->isEnabled());
        QCOMPARE(ts.scalar("SELECT count(*) FROM Detail").toInt(), 0);
        QCOMPARE(ts.scalar("SELECT count(*) FROM VERIFY").toInt(), 0);
        QVERIFY(!ts.ui.workToEnd());
        QCOMPARE(taskFiles(ts), QStringList({"MortNo1.xlsx", "Zoltdata.csv"}));

        // Loaded again without a cancel, the workbook's list opens.
        ts.ui.onProgress = nullptr;
        QTest::mouseClick(child<QPushButton>(w, "Command_VERIFY_OK"), Qt::LeftButton);
        QVERIFY(w.screens->shown.contains("Verify_Numbers"));
    }

    // The workbook's load and export count its rows; closing the window
    // during either and answering Yes leaves the workbook as it was.
    void verificationProgressAndStop()
    {
        // Each run is a new start of the program.
        QByteArray original;
        auto run = [&original](TestSession &ts, const QString &text, bool closes) {
            writeWorkbook(ts.file("MortNo1.xlsx"), 1500);
            original = readFile(ts.file("MortNo1.xlsx"));
            ts.ui.yesNoAnswers = {true};
            TestWindow w(ts.session());
            w.show();
            child<QRadioButton>(w, "Option_VERIFY")->click();
            choose(w, ts.dir(), "MortNo1.xlsx");
            closeWhen(ts.ui, w, text, closes ? 1000 : -1);
            TestNavigator &screens = *w.screens;
            QTest::mouseClick(child<QPushButton>(w, "Command_VERIFY_OK"), Qt::LeftButton);
            QVERIFY(!w.isVisible());
            QCOMPARE(ts.ui.questions(), closes ? QStringList{StopQuestion} : QStringList());
            QCOMPARE(ts.ui.messages(), QStringList());
            // Closed while writing, the folios' list was already shown.
            const QStringList list = text == Reading ? QStringList() : QStringList{"Verify_Numbers"};
            QCOMPARE(screens.shown, closes ? list : list + QStringList{"ZOLT_ReturnInstructions2"});
        };

        TestSession duringLoad;
        run(duringLoad, Reading, true);
        QCOMPARE(counts(duringLoad.ui, Reading), QStringList{"1000/1501"});  // rows of the sheet, its header too
        QVERIFY(counts(duringLoad.ui, Writing).isEmpty());
        QCOMPARE(taskFiles(duringLoad), QStringList{"MortNo1.xlsx"});
        QCOMPARE(readFile(duringLoad.file("MortNo1.xlsx")), original);

        TestSession duringExport;
        run(duringExport, Writing, true);
        QCOMPARE(counts(duringExport.ui, Reading), QStringList({"1000/1501", "1501/1501"}));
        QCOMPARE(counts(duringExport.ui, Writing), QStringList{"1000/1502"});  // folios and masks
        // Both backups went with the stopped export (there were none before).
        QCOMPARE(taskFiles(duringExport), QStringList({"MortNo1.xlsx"}));
        QCOMPARE(readFile(duringExport.file("MortNo1.xlsx")), original);

        TestSession whole;
        run(whole, Writing, false);
        QCOMPARE(counts(whole.ui, Writing), QStringList({"1000/1502", "1502/1502"}));
        QCOMPARE(SheetGrid(whole.file("MortNo1.xlsx"), 1).rowCount(), 1501);
    }
};

QTEST_MAIN(TestTasks)
#include "test_tasks.moc"
