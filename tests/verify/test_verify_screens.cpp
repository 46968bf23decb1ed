// The verification task in the main window, its return instructions and the
// return e-mail setting they show.

#include "support/sheet_grid.h"
#include "support/test_files.h"
#include "support/widget_lookup.h"
#include "verify_test_support.h"
#include "xlsx_fixture.h"

#include "app/return_email_menu.h"
#include "support/fake_task_host.h"
#include "app/verify_task.h"
#include "widgets/return_email_widget.h"
#include "common/workbook/workbook_reader.h"
#include "store/return_email.h"
#include "verify_screens/zolt_return_instructions2.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace zolt;
using namespace zolt::workbook;
using namespace zolt::verify;
using namespace zolt::verify_screens;
using namespace zolt::test;

namespace {

void rememberChoice(TestSession &t, const QString &dir, const QString &file)
{
    t.exec(QStringLiteral("DELETE FROM ZoltSystem"));
    t.exec(QStringLiteral("INSERT INTO ZoltSystem (Drive, Dir, File) VALUES ('/', '%1', '%2')").arg(dir, file));
    t.de().rsZoltSystem().close();
}

}  // namespace

class TestVerifyScreens : public QObject {
    Q_OBJECT

private slots:
    void returnEmailSettingAndMenu();
    void returnInstructionsShowFileAndAddress();
    void returnInstructionsShowALongPathWhole();
    void verifyTaskWritesTheWorkbookBack();
    void unreadableWorkbookIsNotWrittenBack();
};

void TestVerifyScreens::returnEmailSettingAndMenu()
{
    TestSession t;
    QCOMPARE(ReturnEmail(t.de()), QString());
    t.ui.inputAnswers << QStringLiteral("  returns@varnholt.example  ");
    app::EditReturnEmail(t.session());
    QCOMPARE(ReturnEmail(t.de()), QStringLiteral("returns@varnholt.example"));
    // Cancelling keeps it; a new answer replaces it in the one row.
    app::EditReturnEmail(t.session());
    QCOMPARE(ReturnEmail(t.de()), QStringLiteral("returns@varnholt.example"));
    t.ui.inputAnswers << QStringLiteral("other@varnholt.example");
    app::EditReturnEmail(t.session());
    QCOMPARE(ReturnEmail(t.de()), QStringLiteral("other@varnholt.example"));
    QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM ZoltSettings")).toInt(), 1);

    // What is no address is said and asked for again; giving up keeps the
    // address there is.
    for (const char *bad : {"returns", "returns@varnholt", "re turns@varnholt.example", "a@b@varnholt.example",
                            "returns@.example", "returns@varnholt.e", "returns@varnholt.example."})
        QVERIFY2(!LooksLikeEmailAddress(QString::fromLatin1(bad)), bad);
    QVERIFY(LooksLikeEmailAddress(QStringLiteral("tax.returns+2026@mail.varnholt-county.example")));
    t.ui.clear();
    t.ui.inputAnswers << QStringLiteral("returns at varnholt") << QStringLiteral("third@varnholt.example");
    app::EditReturnEmail(t.session());
    QCOMPARE(ReturnEmail(t.de()), QStringLiteral("third@varnholt.example"));
    QCOMPARE(t.ui.messages(), QStringList(QStringLiteral("\"returns at varnholt\" does not look like an e-mail "
                                                         "address. Type it as name@example.com, without blanks.")));
    t.ui.inputAnswers << QStringLiteral("third@varnholt");
    app::EditReturnEmail(t.session());
    QCOMPARE(ReturnEmail(t.de()), QStringLiteral("third@varnholt.example"));
    QCOMPARE(t.ui.messages().size(), 2);
}

void TestVerifyScreens::returnInstructionsShowFileAndAddress()
{
    TestSession t;
    {
        ZOLT_ReturnInstructions2 screen(t.session());
        screen.Form_Load();
        QCOMPARE(screen.fileName(), QStringLiteral("??? UNKNOWN ???"));
        auto *email = screen.findChild<QLabel *>(QStringLiteral("Label_Email"));
        QCOMPARE(email->text(), QStringLiteral("(not set)"));
        QVERIFY(!screen.findChild<QLabel *>(QStringLiteral("Label_EmailHint"))->isHidden());
        QVERIFY(screen.findChild<QPushButton *>(QStringLiteral("Command_Email"))->isHidden());
    }
    SetReturnEmail(t.de(), QStringLiteral("returns@varnholt.example"));
    for (const QString &dir : {QStringLiteral("/data"), QStringLiteral("/data/")}) {
        rememberChoice(t, dir, QStringLiteral("MortNo1.xlsx"));
        ZOLT_ReturnInstructions2 screen(t.session());
        screen.Form_Load();
        QCOMPARE(screen.fileName(), QStringLiteral("/data/MortNo1.xlsx"));
        QCOMPARE(screen.findChild<QLabel *>(QStringLiteral("Label_Email"))->text(),
                 QStringLiteral("returns@varnholt.example"));
        QVERIFY(screen.findChild<QLabel *>(QStringLiteral("Label_EmailHint"))->isHidden());

        QString program;
        QStringList arguments;
        bool starts = true;
        screen.returnEmail()->setMailProgram(QStringLiteral("/usr/bin/xdg-email"));
        screen.returnEmail()->setLauncher([&](const QString &p, const QStringList &a) {
            program = p;
            arguments = a;
            return starts;
        });
        auto *button = screen.findChild<QPushButton *>(QStringLiteral("Command_Email"));
        QVERIFY(!button->isHidden());
        button->click();
        QCOMPARE(program, QStringLiteral("/usr/bin/xdg-email"));
        QCOMPARE(arguments, QStringList({QStringLiteral("--subject"), QStringLiteral("Folio Verification File"),
                                         QStringLiteral("--attach"), QStringLiteral("/data/MortNo1.xlsx"),
                                         QStringLiteral("returns@varnholt.example")}));
        starts = false;
        button->click();
        QVERIFY(!screen.findChild<QLabel *>(QStringLiteral("Label_EmailHint"))->isHidden());
    }
}

void TestVerifyScreens::returnInstructionsShowALongPathWhole()
{
    TestSession t;
    // Folder names without a blank or a slash to wrap at.
    const QString dir = QStringLiteral("/srv/") + QString(180, u'x') + u'/' + QString(120, u'y');
    rememberChoice(t, dir, QStringLiteral("MortNo_2025_second_half.xlsx"));
    ZOLT_ReturnInstructions2 screen(t.session());
    screen.Form_Load();
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));

    // The screen keeps a width that fits the screen, and all of the path is in view.
    QVERIFY2(screen.width() <= 800, qPrintable(QString::number(screen.width())));
    QCOMPARE(screen.fileName(), dir + QStringLiteral("/MortNo_2025_second_half.xlsx"));
    auto *path = screen.findChild<QTextEdit *>(QStringLiteral("Label_FileName"));
    QVERIFY(path);
    QCOMPARE(path->toolTip(), screen.fileName());
    QVERIFY(path->textInteractionFlags() & Qt::TextSelectableByMouse);
    QVERIFY(path->document()->size().width() <= path->viewport()->width());
    QVERIFY2(path->document()->size().height() <= path->viewport()->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(path->document()->size().height()).arg(path->viewport()->height())));
}

void TestVerifyScreens::verifyTaskWritesTheWorkbookBack()
{
    TestSession t;
    QList<FixtureSheet> sheets = VerifyFixtureSheets();
    sheets[0].rows << MortgageRow({S("a"), S("0012"), S("N-1"), 5.0, S("010"), 12345678.0});
    sheets[1].rows << QVariantList{S("010"), 8.0, S("###-#####")};
    const QString path = t.file(QStringLiteral("MortNo1.xlsx"));
    WriteFixtureWorkbook(path, sheets);
    const QByteArray original = readFile(path);
    rememberChoice(t, t.dir(), QStringLiteral("MortNo1.xlsx"));

    FakeTaskHost host(t.session());
    host.path = path;
    QString shownFile;
    host.screens.play = [&shownFile](QDialog &screen) {
        if (auto *instructions = qobject_cast<ZOLT_ReturnInstructions2 *>(&screen))
            shownFile = instructions->fileName();
    };
    app::runVerifyTask(host, t.session());

    QVERIFY(host.closed);
    QVERIFY(host.saving);
    QCOMPARE(t.ui.messages(), QStringList());
    QCOMPARE(readFile(path + QStringLiteral(".bak")), original);
    auto reader = WorkbookReader::open(path);
    QCOMPARE(reader->sheetName(1), QStringLiteral("Mortgage"));
    QCOMPARE(SheetGrid(path, 1).cell(2, 1), QStringLiteral("A"));
    QCOMPARE(SheetGrid(path, 1).cell(2, 4), QStringLiteral("5 "));
    QCOMPARE(SheetGrid(path, 2).cell(2, 2), QStringLiteral("08"));
    QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM VERIFY")).toInt(), 0);
    QCOMPARE(host.screens.shown, QStringList({QStringLiteral("Verify_Numbers"), QStringLiteral("ZOLT_ReturnInstructions2")}));
    QCOMPARE(shownFile, path);
}

void TestVerifyScreens::unreadableWorkbookIsNotWrittenBack()
{
    TestSession t;
    t.exec(QStringLiteral("DROP TABLE CD_JUR"));  // the load fails on its last sheet
    const QString path = t.file(QStringLiteral("MortNo2.xlsx"));
    WriteFixtureWorkbook(path, VerifyFixtureSheets());
    const QByteArray original = readFile(path);

    FakeTaskHost host(t.session());
    host.path = path;
    app::runVerifyTask(host, t.session());

    // The trap said what went wrong; nothing was written and the user may
    // choose another file.
    const QStringList said = t.ui.messages();
    QCOMPARE(said.size(), 1);
    QVERIFY(said[0].section(u'\n', 1).startsWith(QStringLiteral("Error Xls2Mdb(")));
    QVERIFY(!host.closed && !host.saving && host.buttonsEnabled);
    QCOMPARE(readFile(path), original);
    QVERIFY(!QFile::exists(path + QStringLiteral(".bak")));
}

QTEST_MAIN(TestVerifyScreens)
#include "test_verify_screens.moc"
