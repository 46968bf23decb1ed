// The return check in the real program: opened from the main window's menu
// through its navigator, a returned workbook picked, its folios and messages
// shown, its errors printed, and closed back to the main window.

#include "app/zolt_payment.h"
#include "support/screen_script.h"
#include "support/test_session.h"
#include "support/widget_lookup.h"
#include "verify/xlsx_fixture.h"
#include "widgets/data_grid.h"
#include "widgets/file_list.h"
#include "widgets/file_location_picker.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

namespace {

void writeReturnedWorkbook(const QString &path)
{
    WriteMortgageWorkbook(path, {{"A", "0012", "M-100", "05", "701", "12345678", "", "SMITH"},
                                 {"D", "0012", "M-200", "05", "701", "22222222", "", "DOE"},
                                 {"X", "0012", "M-300", "06", "701", "33333333", "", "ROE"}});
}

}  // namespace

class TestVerifyReturnRun : public QObject {
    Q_OBJECT

private slots:
    // The menu opens the check once: a second screen left up would fail
    // the script.
    void checkPrintAndCloseBackToTheMainWindow()
    {
        TestSession ts;
        writeReturnedWorkbook(ts.file("MortNo0012.xlsx"));
        app::ZoltPayment window(ts.session());
        window.show();
        int rows = -1;
        QStringList messages;
        ScreenScript script;
        script.on("Verify_Return", [&](QWidget &s) {
            auto *picker = s.findChild<FileLocationPicker *>();
            QVERIFY(picker->setDirectory(ts.dir()));
            FileList *files = picker->fileList();
            QListWidgetItem *item = files->findItems("MortNo0012.xlsx", Qt::MatchExactly).value(0);
            QVERIFY(item);
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(item).center());
            rows = child<DataGrid>(s, "TDBGrid_Verify")->model()->rowCount();
            auto *list = child<QListWidget>(s, "List_Msg");
            for (int i = 0; i < list->count(); ++i)
                messages << list->item(i)->text();
            QTest::mouseClick(child<QPushButton>(s, "Command_PrintErrors"), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton>(s, "Command_Close"), Qt::LeftButton);
        });
        script.start();
        child<QAction>(window, "mnuFileVerifyReturn")->trigger();

        QVERIFY2(script.finished(), qPrintable(script.failure() + " after " + script.visited().join(", ")));
        QCOMPARE(rows, 3);
        QCOMPARE(messages.first(), QString("please wait..."));
        QVERIFY2(messages[1].startsWith("WARNING"), qPrintable(messages.join('\n')));
        QVERIFY(messages.contains("3 folios were written to the verified file " +
                                  QDir::toNativeSeparators(ts.file("ZOLTP040_VERIFIED.zolt"))));
        QVERIFY(QFile::exists(ts.file("ErrorReport.pdf")));
        QCOMPARE(ts.ui.messages().last(),
                 "There is no printer: the report was saved as " + QDir::toNativeSeparators(ts.file("ErrorReport.pdf")));
        // Back in the main window, the session going on; the folios stay.
        QVERIFY(window.isVisible());
        QVERIFY(child<QAction>(window, "mnuFileVerifyReturn")->isEnabled());
        QCOMPARE(ts.scalar("SELECT count(*) FROM VERIFY").toInt(), 3);
    }
};

QTEST_MAIN(TestVerifyReturnRun)
#include "test_verify_return_run.moc"
