// The return check window: a click on a workbook checks it, the grid and the
// message list show what came of it, the error list prints.

#include "support/test_session.h"
#include "support/widget_lookup.h"
#include "verify/xlsx_fixture.h"

#include "verify_screens/verify_return.h"
#include "widgets/data_grid.h"
#include "widgets/file_list.h"
#include "widgets/file_location_picker.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

using namespace zolt;
using namespace zolt::verify_screens;
using namespace zolt::test;

namespace {

void writeReturnedWorkbook(const QString &path)
{
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    const QList<QStringList> rows{{"C", "0012", "M-100", "05", "701", "12345678", "", "SMITH"},
                                  {" ", "0012", "M-200", "05", "701", "22222222", "", "DOE"},
                                  {" ", "0012", "M-300", "05", "701", "22222222", "", "DOE"},
                                  {"X", "0012", "M-400", "05", "701", "44444444", "", "ROE"}};
    for (const QStringList &row : rows)
        sheets[0].rows << MortgageRow(QVariant(row).toList());
    sheets[1].rows << QVariantList{"701", 8.0, "###-#####"};
    WriteFixtureWorkbook(path, sheets);
}

QStringList listed(QWidget &screen)
{
    auto *list = child<QListWidget>(screen, "List_Msg");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

void clickFile(Verify_Return &screen, const QString &name)
{
    FileList *files = screen.picker()->fileList();
    const QList<QListWidgetItem *> items = files->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(items.first()).center());
}

}  // namespace

class TestVerifyReturnScreen : public QObject {
    Q_OBJECT

private slots:
    void clickedWorkbookIsCheckedAndItsErrorsPrinted()
    {
        TestSession t;
        writeReturnedWorkbook(t.file("MortNo0012.xlsx"));
        Verify_Return screen(t.session());
        screen.Form_Load();
        QCOMPARE(screen.picker()->directory(), QDir::homePath());
        QVERIFY(listed(screen).isEmpty());
        QVERIFY(!child<QGroupBox>(screen, "Frame_VerificationFile")->isEnabled());
        QVERIFY(!child<QPushButton>(screen, "Command_PrintErrors")->isEnabled());
        QVERIFY(!child<QPushButton>(screen, "Command_Upload")->isEnabled());

        QVERIFY(screen.picker()->setDirectory(t.dir()));
        child<QPushButton>(screen, "Command_OK")->click();
        QCOMPARE(listed(screen), QStringList{"Plese select the Mortgage Number Verification file"});

        screen.show();
        clickFile(screen, "MortNo0012.xlsx");
        const QStringList lines = listed(screen);
        const QString verified = t.file("ZOLTP040_VERIFIED.zolt");
        QCOMPARE(lines.first(), QString("please wait..."));
        QVERIFY(lines.join('|').contains("DUPLICATE FOLIO NUMBER"));
        QCOMPARE(lines.last(), "3 folios were written to the verified file " + QDir::toNativeSeparators(verified));
        QVERIFY(QFile::exists(verified));
        // A message longer than the list is wide wraps within it.
        auto *list = child<QListWidget>(screen, "List_Msg");
        list->setFixedWidth(list->fontMetrics().horizontalAdvance(lines.last()) / 2);
        QTRY_VERIFY(list->visualItemRect(list->item(list->count() - 1)).height() >= 2 * list->fontMetrics().height());
        QVERIFY(list->visualItemRect(list->item(list->count() - 1)).width() <= list->viewport()->width());
        DataGrid *grid = child<DataGrid>(screen, "TDBGrid_Verify");
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QString("Mort.Co"));
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QString("Change"));
        QCOMPARE(grid->model()->index(0, 5).data().toString(), QString("123-45678"));  // the jurisdiction's mask
        QVERIFY(child<QGroupBox>(screen, "Frame_VerificationFile")->isEnabled());
        QVERIFY(child<QFrame>(screen, "Shape_VerificationFile")->isVisible());
        QVERIFY(child<QPushButton>(screen, "Command_Upload")->isEnabled());
        auto *print = child<QPushButton>(screen, "Command_PrintErrors");
        QVERIFY(print->isEnabled());

        // No printer here: the report is a PDF beside the workbook, its
        // lines numbered from 1, a message of several lines on one.
        QTest::mouseClick(print, Qt::LeftButton);
        const QString pdf = t.file("ErrorReport.pdf");
        QCOMPARE(t.ui.messages().last(), "There is no printer: the report was saved as " + QDir::toNativeSeparators(pdf));
        QVERIFY(print->isEnabled());
        QCOMPARE(t.scalar("SELECT count(*) FROM ErrorMessage").toInt(), lines.size());
        QCOMPARE(t.scalar("SELECT ErrorMsg FROM ErrorMessage WHERE ErrorNumber = 1").toString(), QString("please wait..."));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(pdftotext.waitForFinished());
        const QString report = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(report.contains(QRegularExpression("\\n\\s*1\\s+please wait\\.\\.\\.")), qPrintable(report));
        // The warning's lines joined on its row.
        QVERIFY2(report.contains(QRegularExpression("\\n\\s*\\d+\\s+WARNING \\( Invalid value in the Add/Change/Delete "
                                                    "column \\) :\\s+The column A")),
                 qPrintable(report));
        // Every message whole, a long one wrapped rather than cut.
        const auto squeezed = [](QString text) { return text.remove(QRegularExpression("\\s")); };
        const QString stored = t.scalar("SELECT ErrorMsg FROM ErrorMessage ORDER BY length(ErrorMsg) DESC").toString();
        QVERIFY(stored.size() > 150);
        QVERIFY2(squeezed(report).contains(squeezed(stored)), qPrintable(stored));
    }

    // Cancelled while the workbook loads: no folios, no verified file.
    void cancelledCheck()
    {
        TestSession t;
        QList<QVariantList> rows;
        for (int i = 1; i <= 1500; ++i)
            rows << QVariantList{" ", "0012", QString("M-%1").arg(i), "05", "701", QString::number(10000000 + i)};
        WriteMortgageWorkbook(t.file("MortNo0012.xlsx"), rows);
        Verify_Return screen(t.session());
        screen.Form_Load();
        QVERIFY(screen.picker()->setDirectory(t.dir()));
        screen.show();
        t.ui.onProgress = [&](const RecordingDialog::Progress &p) {
            if (p.done == 1000)
                t.ui.requestCancel();
        };
        clickFile(screen, "MortNo0012.xlsx");
        QCOMPARE(listed(screen).last(), QString("The check was cancelled: click the workbook to check it again."));
        QVERIFY(!QFile::exists(t.file("ZOLTP040_VERIFIED.zolt")));
        QCOMPARE(t.scalar("SELECT count(*) FROM VERIFY").toInt(), 0);
        QVERIFY(!child<QPushButton>(screen, "Command_Upload")->isEnabled());
        QVERIFY(!t.ui.workToEnd());
    }

    void readOnlyWorkbookAnsweredNoClosesTheWindow()
    {
        TestSession t;
        const QString path = t.file("MortNo0012.xlsx");
        writeReturnedWorkbook(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        Verify_Return screen(t.session());
        screen.Form_Load();
        QVERIFY(screen.picker()->setDirectory(t.dir()));
        screen.picker()->setFileName("MortNo0012.xlsx");
        screen.show();
        t.ui.yesNoAnswers = {false};
        child<QPushButton>(screen, "Command_OK")->click();
        QCOMPARE(t.ui.questions().size(), 1);
        QVERIFY(t.ui.said.last().title == "ZOLT data File is READONLY");
        QVERIFY(!screen.isVisible());
        QVERIFY(!QFile::exists(t.file("ZOLTP040_VERIFIED.zolt")));
    }
};

QTEST_MAIN(TestVerifyReturnScreen)
#include "test_verify_return_screen.moc"
