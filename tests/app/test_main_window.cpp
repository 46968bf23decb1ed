#include "support/test_files.h"
#include "support/widget_lookup.h"
#include "app/zolt_payment.h"

#include "widgets/dir_list.h"
#include "widgets/drive_list.h"
#include "widgets/file_list.h"
#include "widgets/file_location_picker.h"
#include "store/data_environment.h"
#include "support/fake_task_host.h"
#include "support/test_session.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using zolt::app::ZoltPayment;

namespace {

const QColor LightCyan(192, 255, 255);
const QColor LightBlue(192, 192, 255);

QString messageLine(QWidget &window)
{
    return child<QLineEdit>(window, "Text_Msg")->text();
}

// Background of the window and of its four location labels.
QList<QColor> schemeColours(ZoltPayment &w)
{
    QList<QColor> colours{w.palette().color(QPalette::Window)};
    for (const char *name : {"Label_Disk", "Label_Directory", "Label_SelectTheZoltFileLocation", "Label_Files"}) {
        QLabel *label = child<QLabel>(w, name);
        colours << (label->autoFillBackground() ? label->palette().color(QPalette::Window) : QColor());
    }
    return colours;
}

QStringList listedFiles(ZoltPayment &w)
{
    QStringList names;
    FileList *list = w.picker()->fileList();
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// Picks a file in the window's lists as a user would.
void choose(ZoltPayment &w, const QString &dir, const QString &file)
{
    QVERIFY(w.picker()->setDirectory(dir));
    w.picker()->setFileName(file);
    QCOMPARE(w.picker()->fileName(), file);
}

// Clicks an option on its round indicator, as a user would.
void select(ZoltPayment &w, const char *option)
{
    QRadioButton *button = child<QRadioButton>(w, option);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QVERIFY(button->isChecked());
}

int zoltSystemRows(test::TestSession &ts)
{
    return ts.scalar("SELECT COUNT(*) FROM ZoltSystem").toInt();
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    // A file from outside the lists (the file dialog of Browse..., the command
    // line, a drop) is chosen with the task of its kind; a file of another
    // kind, a folder or a missing file is said and changes nothing.
    void filesChosenFromOutsideTheLists()
    {
        test::TestSession ts;
        QVERIFY(QDir(ts.dir()).mkdir("books"));
        writeFile(ts.file("pay.csv"), "x");
        writeFile(ts.file("books/MortNo2.XLSX"), "x");
        writeFile(ts.file("notes.txt"), "x");
        TestWindow w(ts.session());
        w.show();
        auto chosen = [&w](const char *option, const QString &folder, const QString &file) {
            return child<QRadioButton>(w, option)->isChecked() && QDir(w.picker()->directory()) == QDir(folder) &&
                   w.picker()->fileName() == file;
        };

        QVERIFY(w.chooseFile(ts.file("books/MortNo2.XLSX")));
        QVERIFY(chosen("Option_VERIFY", ts.file("books"), "MortNo2.XLSX"));
        QVERIFY(child<QPushButton>(w, "Command_VERIFY_OK")->isEnabled());

        ts.ui.fileAnswers << ts.file("pay.csv");
        click(w, "Command_Browse");
        QVERIFY(ts.ui.said.last().text.contains("*.xlsx"));  // asked in the task chosen then
        QVERIFY(chosen("Option_ZOLT", ts.dir(), "pay.csv"));
        QVERIFY(child<QPushButton>(w, "Command_OK")->isEnabled());
        click(w, "Command_Browse");  // cancelled: nothing changes
        QVERIFY(chosen("Option_ZOLT", ts.dir(), "pay.csv"));

        QMimeData dragged;
        dragged.setUrls({QUrl::fromLocalFile(ts.file("books/MortNo2.XLSX"))});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dragged, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dragged, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &drop);
        QVERIFY(drop.isAccepted());
        QVERIFY(chosen("Option_VERIFY", ts.file("books"), "MortNo2.XLSX"));
        QMimeData two;
        two.setUrls({QUrl::fromLocalFile(ts.file("pay.csv")), QUrl::fromLocalFile(ts.file("notes.txt"))});
        QDragEnterEvent refusedDrag(QPoint(20, 20), Qt::CopyAction, &two, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &refusedDrag);
        QVERIFY(!refusedDrag.isAccepted());

        const qsizetype before = ts.ui.said.size();
        for (const char *refused : {"notes.txt", "books", "gone.csv"})
            QVERIFY(!w.chooseFile(ts.file(refused)));
        QCOMPARE(ts.ui.said.size(), before + 3);
        QVERIFY(ts.ui.said[before].text.contains("notes.txt is neither a Zolt payment file (.csv)"));
        QVERIFY(ts.ui.said[before + 1].text.endsWith("books is a folder, not a file."));
        QVERIFY(ts.ui.said[before + 2].text.endsWith("gone.csv was not found."));
        QVERIFY(chosen("Option_VERIFY", ts.file("books"), "MortNo2.XLSX"));
    }

    void controlsAndModeSwitch()
    {
        test::TestSession ts;
        writeFile(ts.file("pay.csv"), "x");
        writeFile(ts.file("MortNo1.xlsx"), "x");
        TestWindow w(ts.session());
        w.show();
        QVERIFY(child<QRadioButton>(w, "Option_ZOLT")->isChecked());
        QVERIFY(child<QRadioButton>(w, "Option_Yes")->isChecked());
        QVERIFY(!child<QLabel>(w, "Label_PleaseWait")->isVisible());

        const QList<QColor> cyan(5, LightCyan), blue(5, LightBlue);
        QCOMPARE(schemeColours(w), cyan);
        QCOMPARE(messageLine(w), QString("Please select the location of the Zolt file."));
        QVERIFY(child<QPushButton>(w, "Command_OK")->isEnabled());
        QVERIFY(!child<QPushButton>(w, "Command_VERIFY_OK")->isEnabled());

        QVERIFY(w.picker()->setDirectory(ts.dir()));
        QCOMPARE(listedFiles(w), QStringList{"pay.csv"});

        select(w, "Option_VERIFY");
        QCOMPARE(schemeColours(w), blue);
        QCOMPARE(child<QLabel>(w, "Label_SelectTheZoltFileLocation")->text(),
                 QString("Select the MortNo*.xlsx file location"));
        QCOMPARE(messageLine(w), QString("Please select the location of the Mortgage Number Verification file."));
        QCOMPARE(listedFiles(w), QStringList{"MortNo1.xlsx"});
        QVERIFY(!child<QPushButton>(w, "Command_OK")->isEnabled());
        QVERIFY(child<QPushButton>(w, "Command_VERIFY_OK")->isEnabled());
        QVERIFY(!child<QGroupBox>(w, "Frame_UseOnlyCurrentYearData")->isVisible());
        QVERIFY(child<QGroupBox>(w, "Frame_File_Type")->isVisible());

        select(w, "Option_ZOLT");
        QCOMPARE(schemeColours(w), cyan);
        QCOMPARE(child<QLabel>(w, "Label_SelectTheZoltFileLocation")->text(),
                 QString("Select the Zolt.csv file location"));
        QVERIFY(child<QGroupBox>(w, "Frame_UseOnlyCurrentYearData")->isVisible());
        QVERIFY(child<QPushButton>(w, "Command_OK")->isEnabled());
        QVERIFY(!child<QPushButton>(w, "Command_VERIFY_OK")->isEnabled());
    }

    void fileLocationPicker()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("a/b/.hidden"));
        QVERIFY(QDir(dir.path()).mkpath("a/folder.csv"));
        for (const char *name : {"a/Upper.CSV", "a/lower.csv", "a/.hidden.csv", "a/notes.txt", "a/b/deep.csv"})
            writeFile(dir.filePath(name), "x");
        FileLocationPicker picker;
        picker.setPattern("*.csv");
        QSignalSpy moved(&picker, &FileLocationPicker::directoryChanged);
        QVERIFY(picker.setDirectory(dir.filePath("a/b")));
        QVERIFY(!picker.setDirectory(dir.filePath("a/missing")));
        QCOMPARE(picker.directory(), dir.filePath("a/b"));
        DirList *dirs = picker.dirList();
        QCOMPARE(dirs->currentItem()->text(0), QString("b"));
        QCOMPARE(dirs->currentItem()->childCount(), 0);  // the hidden folder is left out

        // Double-clicking (activating) "a" in the chain opens it; the files follow.
        QTreeWidgetItem *a = dirs->currentItem()->parent();
        QCOMPARE(a->text(0), QString("a"));
        emit dirs->itemActivated(a, 0);
        QCOMPARE(picker.directory(), dir.filePath("a"));
        QCOMPARE(moved.count(), 2);
        QStringList listed;
        for (int i = 0; i < picker.fileList()->count(); ++i)
            listed << picker.fileList()->item(i)->text();
        QCOMPARE(listed, QStringList({"lower.csv", "Upper.CSV"}));
        QCOMPARE(picker.selectedPath(), dir.filePath("a") + "/");
        picker.setFileName("Upper.CSV");
        QCOMPARE(picker.selectedPath(), dir.filePath("a/Upper.CSV"));
        picker.setFileName("deep.csv");
        QVERIFY(picker.fileName().isEmpty());
    }

    void missingChoiceAndMissingFile_data()
    {
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("noFile");
        QTest::addColumn<QString>("notFound");
        QTest::newRow("payment") << false << "Zoltdata.csv" << "Plese select the Zoltdata.csv file"
                                 << "Zoltdata.csv file not found";
        QTest::newRow("verification")
            << true << "MortNo7.xlsx"
            << "Plese select the Mortgage Verification file (Hint: has a name like MortNo*.xlsx)"
            << "Mortgage Verification file not found";
    }

    void missingChoiceAndMissingFile()
    {
        QFETCH(bool, verify);
        QFETCH(QString, fileName);
        test::TestSession ts;
        TestWindow w(ts.session());
        w.show();
        if (verify)
            select(w, "Option_VERIFY");
        QPushButton *task = child<QPushButton>(w, verify ? "Command_VERIFY_OK" : "Command_OK");
        QPushButton *exit = child<QPushButton>(w, "Command_Exit");

        QVERIFY(w.picker()->setDirectory(ts.dir()));
        QTest::mouseClick(task, Qt::LeftButton);
        QTEST(messageLine(w), "noFile");
        QVERIFY(task->isEnabled() && exit->isEnabled());

        // An empty file is listed but counts as not there.
        writeFile(ts.file(fileName), QByteArray());
        choose(w, ts.dir(), fileName);
        QTest::mouseClick(task, Qt::LeftButton);
        QTEST(messageLine(w), "notFound");
        QVERIFY(task->isEnabled() && exit->isEnabled());
        QVERIFY(w.isVisible());
        QVERIFY(ts.ui.said.isEmpty());
        QCOMPARE(zoltSystemRows(ts), 0);
    }

    void readOnlyFileQuestion()
    {
        test::TestSession ts;
        ts.exec("INSERT INTO ZoltSystem (Drive, Dir, File, Year) VALUES ('/', '/gone', 'old.csv', '2020')");
        const QString path = ts.file("Zoltdata.csv");
        writeFile(path, "\"0001\",\"x\"\r\n");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

        TestWindow w(ts.session());
        w.show();
        choose(w, ts.dir(), "Zoltdata.csv");
        QTest::mouseClick(child<QPushButton>(w, "Command_OK"), Qt::LeftButton);  // answered No
        QCOMPARE(ts.ui.questions(),
                 QStringList{"CAUTION This program found that the file attribute of " + path +
                             " is READONLY. You can Stop now and change the file property (The file attributes "
                             "must NOT be READONLY). You can continue and loose all data changes. Do you want "
                             "to continue ?"});
        QCOMPARE(ts.ui.said.first().title, QString("Zolt data File is READONLY"));
        QVERIFY(!w.isVisible());
        QCOMPARE(ts.scalar("SELECT Dir || '|' || File || '|' || Year FROM ZoltSystem").toString(),
                 QString("/gone|old.csv|2020"));
        QCOMPARE(zoltSystemRows(ts), 1);

        // Yes goes on with the file and remembers it in the one row.
        TestWindow again(ts.session());
        again.show();
        choose(again, ts.dir(), "Zoltdata.csv");
        ts.ui.yesNoAnswers = {true};
        QTest::mouseClick(child<QPushButton>(again, "Command_OK"), Qt::LeftButton);
        QVERIFY(again.isVisible());
        QCOMPARE(again.selectedPath(), path);
        QCOMPARE(ts.scalar("SELECT Dir || '|' || File || '|' || Year FROM ZoltSystem").toString(),
                 QDir(ts.dir()).absolutePath() + "|Zoltdata.csv|");
        QCOMPARE(zoltSystemRows(ts), 1);
        QVERIFY(child<QPushButton>(again, "Command_OK")->isEnabled());
        QVERIFY(child<QPushButton>(again, "Command_Exit")->isEnabled());
    }

    void databaseFailureIsReported()
    {
        test::TestSession ts;
        writeFile(ts.file("Zoltdata.csv"), "x");
        writeFile(ts.file("MortNo1.xlsx"), "x");
        TestWindow payment(ts.session());
        ZoltPayment verify(ts.session());
        payment.show();
        verify.show();
        ts.exec("DROP TABLE ZoltSystem");  // the choice cannot be remembered

        choose(payment, ts.dir(), "Zoltdata.csv");
        QTest::mouseClick(child<QPushButton>(payment, "Command_OK"), Qt::LeftButton);
        QCOMPARE(ts.ui.messages().size(), 1);
        QVERIFY(ts.ui.messages().first().section(u'\n', 1).startsWith("Unexpected error #"));
        QVERIFY(ts.ui.messages().first().contains(" Debug (5) occurred: "));
        QVERIFY(payment.isVisible() && child<QPushButton>(payment, "Command_OK")->isEnabled());

        // The verification task ends the program after telling.
        select(verify, "Option_VERIFY");
        choose(verify, ts.dir(), "MortNo1.xlsx");
        QTest::mouseClick(child<QPushButton>(verify, "Command_VERIFY_OK"), Qt::LeftButton);
        QCOMPARE(ts.ui.messages().size(), 2);
        QVERIFY(ts.ui.said.last().icon == MessageIcon::Critical);
        QVERIFY(!verify.isVisible());
    }

    void rememberedFolderOfBothTasks()
    {
        test::TestSession ts;
        const QString folder = ts.file("returns");
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + "/Zoltdata.csv", "data");
        writeFile(folder + "/MortNo1.xlsx", "not a workbook");
        const QString drive = QStorageInfo(folder).rootPath();
        // The next run opens the database afresh.
        auto restart = [&](auto check) {
            std::unique_ptr<DataEnvironment> de = DataEnvironment::openFile(ts.dbPath());
            SharedValues shared;
            Session session{*de, ts.ui, shared};
            TestWindow w(session);
            check(w);
        };
        // The choice is remembered before the load, which fails on these files.
        auto run = [&](const char *option, const char *button, const QString &file) {
            restart([&](ZoltPayment &w) {
                select(w, option);
                choose(w, folder, file);
                QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
            });
            QCOMPARE(ts.scalar("SELECT Drive || '|' || File FROM ZoltSystem").toString(), drive + "|" + file);
        };

        run("Option_ZOLT", "Command_OK", "Zoltdata.csv");
        restart([&](ZoltPayment &w) {
            QCOMPARE(w.picker()->directory(), QDir(folder).absolutePath());
            QCOMPARE(w.picker()->fileName(), QString("Zoltdata.csv"));
            QCOMPARE(w.picker()->dirList()->currentItem()->text(0), QString("returns"));
            // Workbooks and back: the remembered payment file is selected again.
            select(w, "Option_VERIFY");
            QVERIFY(w.picker()->fileName().isEmpty());
            select(w, "Option_ZOLT");
            QCOMPARE(w.picker()->fileName(), QString("Zoltdata.csv"));
        });

        // A workbook is not listed under "*.csv"; its folder is kept, and it is
        // selected again when the verification option lists it.
        run("Option_VERIFY", "Command_VERIFY_OK", "MortNo1.xlsx");
        restart([&](ZoltPayment &w) {
            QCOMPARE(w.picker()->directory(), QDir(folder).absolutePath());
            QVERIFY(w.picker()->fileName().isEmpty());
            select(w, "Option_VERIFY");
            QCOMPARE(w.picker()->fileName(), QString("MortNo1.xlsx"));
            QCOMPARE(w.selectedPath(), QDir(folder).absoluteFilePath("MortNo1.xlsx"));
        });

        // Only a file that is gone sends the lists to the drive's root.
        QVERIFY(QFile::remove(folder + "/MortNo1.xlsx"));
        restart([&](ZoltPayment &w) {
            QCOMPARE(w.picker()->directory(), drive);
            QCOMPARE(w.picker()->drive(), drive);
        });
    }

    void filesListByKeyboardAndMouse()
    {
        test::TestSession ts;
        for (const char *name : {"a.csv", "b.csv", "MortNo1.xlsx"})
            writeFile(ts.file(name), "x");
        TestWindow w(ts.session());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.picker()->setDirectory(ts.dir()));
        FileList *files = w.picker()->fileList();
        QVERIFY(files->fileName().isEmpty());

        // The file the focus shows is the one chosen; the arrows move both.
        files->setFocus(Qt::TabFocusReason);
        QCOMPARE(files->fileName(), QString("a.csv"));
        QTest::keyClick(files, Qt::Key_Down);
        QCOMPARE(files->fileName(), QString("b.csv"));
        QTest::keyClick(files, Qt::Key_Up);
        QCOMPARE(files->fileName(), QString("a.csv"));
        QTest::keyClick(files, Qt::Key_Down);

        // Enter starts the payment task on that file.
        QTest::keyClick(files, Qt::Key_Return);
        QCOMPARE(ts.scalar("SELECT File FROM ZoltSystem").toString(), QString("b.csv"));
        QCOMPARE(ts.ui.messages().last(), QString("Zolt Data Load FAILED"));

        // A double-click starts the verification task.
        select(w, "Option_VERIFY");
        QListWidgetItem *workbook = files->findItems("MortNo1.xlsx", Qt::MatchExactly).value(0);
        QVERIFY(workbook);
        const QPoint centre = files->visualItemRect(workbook).center();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(ts.scalar("SELECT File FROM ZoltSystem").toString(), QString("MortNo1.xlsx"));
        QCOMPARE(messageLine(w), QString("The Mortgage Verification file could not be loaded."));
    }

    void listsShowTheKeyboardFocus()
    {
        test::TestSession ts;
        TestWindow w(ts.session());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        FileLocationPicker *picker = w.picker();
        const QList<QWidget *> lists{picker->driveList(), picker->dirList(), picker->fileList()};
        // A point just outside each list's left edge, halfway down.
        auto edgeColour = [&](QWidget *list) {
            const QPoint edge = list->mapTo(&w, QPoint(-1, list->height() / 2));
            return QColor(w.grab().toImage().pixel(edge));
        };
        for (QWidget *focused : lists) {
            focused->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(focused->hasFocus());
            for (QWidget *list : lists) {
                const QColor colour = edgeColour(list);
                QVERIFY2((colour == LightCyan) == (list != focused),
                         qPrintable(focused->objectName() + " focused, edge of " + list->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
