#include "support/broken_disk.h"
#include "support/test_files.h"
#include "common/clock.h"
#include "support/widget_lookup.h"
#include "app/about.h"
#include "app/information_dialog.h"
#include "app/qt_user_dialog.h"
#include "app/single_instance.h"
#include "app/system_info.h"
#include "app/screen_navigator.h"
#include "app/user_guide.h"
#include "support/test_session.h"

#include "common/shared_values.h"
#include "widgets/print_output.h"
#include "support/recording_dialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using namespace zolt::app;

namespace {

Qt::CursorShape pointer()
{
    return QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
}

}  // namespace

class TestAppDialogs : public QObject {
    Q_OBJECT

private slots:
    // The guide beside the program is shown with its pictures; Escape
    // leaves it.
    void userGuide()
    {
        QTemporaryDir program;
        QDir(program.path()).mkpath("doc/images");
        const QString path = app::UserGuidePath(program.path());
        QCOMPARE(path, program.path() + "/doc/guide.md");
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(program.path() + "/doc/images/main.png"));
        QFile guide(path);
        QVERIFY(guide.open(QIODevice::WriteOnly));
        guide.write("# Zolt user guide\n\nChoose the **file**.\n\n![The main window](images/main.png)\n\n"
                    "[Keys](#using-the-keyboard)\n\n" + QByteArray("Some text.\n\n").repeated(200)
                    + "## Using the keyboard\n\nAlt and the letter.\n");
        guide.close();

        app::UserGuide screen(path);
        screen.show();
        auto *text = screen.findChild<QTextBrowser *>("Text_Guide");
        QVERIFY(text->toPlainText().startsWith("Zolt user guide\nChoose the file."));
        const QVariant shown = text->document()->resource(QTextDocument::ImageResource,
                                                          QUrl::fromLocalFile(program.path() + "/doc/images/main.png"));
        QCOMPARE(qvariant_cast<QImage>(shown).size(), QSize(40, 30));
        // The contents' links lead to their headings.
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QCOMPARE(text->verticalScrollBar()->value(), 0);
        emit text->anchorClicked(QUrl("#using-the-keyboard"));
        QVERIFY(text->verticalScrollBar()->value() > 0);
        QTest::keyClick(&screen, Qt::Key_Escape);
        QVERIFY(!screen.isVisible());

        // A guide that is not there is said, not shown empty.
        test::TestSession ts;
        app::ScreenNavigator(ts.session(), nullptr).showUserGuide(program.path() + "/gone/guide.md");
        QCOMPARE(ts.ui.messages().size(), 1);
        QVERIFY(ts.ui.messages().first().startsWith("The user guide was not found at " + program.path() + "/gone/guide.md."));
    }

    void informationDialog()
    {
        SharedValues shared;
        shared.gInfoKind = " critical ";
        shared.gInfoTitle = "Duplicate folios";
        shared.gInfoText = "line one\nline two";
        QApplication::setOverrideCursor(Qt::WaitCursor);
        {
            Form_InformationDialog dialog(shared);
            dialog.show();
            QCOMPARE(child<QLabel>(dialog, "Label_Title")->text(), QString("Duplicate folios"));
            auto *text = child<QPlainTextEdit>(dialog, "Text_Msg");
            QCOMPARE(text->toPlainText(), QString("line one\nline two"));
            const QFontMetrics metrics(text->font());  // columns line up
            QCOMPARE(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("MMMM"));
            QVERIFY(child<QLabel>(dialog, "Picture_Critical")->isVisible());
            QVERIFY(!child<QLabel>(dialog, "Picture_Informational")->isVisible());
            QCOMPARE(pointer(), Qt::ArrowCursor);
            QTest::mouseClick(child<QPushButton>(dialog, "OKButton"), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(pointer(), Qt::WaitCursor);  // the caller's pointer is back
            QVERIFY(shared.gInfoKind.isEmpty() && shared.gInfoTitle.isEmpty() && shared.gInfoText.isEmpty());
        }
        QCOMPARE(pointer(), Qt::WaitCursor);
        QApplication::restoreOverrideCursor();

        // Closed with Escape: emptied just the same; any other kind is informational.
        shared.gInfoKind = "Informational";
        shared.gInfoTitle = "Stale";
        shared.gInfoText = "text";
        Form_InformationDialog dialog(shared);
        dialog.show();
        QVERIFY(child<QLabel>(dialog, "Picture_Informational")->isVisible());
        QVERIFY(!child<QLabel>(dialog, "Picture_Critical")->isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(shared.gInfoTitle.isEmpty() && shared.gInfoKind.isEmpty());
        QVERIFY(!QApplication::overrideCursor());

        // A line longer than the box wraps in it instead of scrolling sideways.
        shared.gInfoText = "The report was saved as /home/clerk/" + QString("folder/").repeated(30) + "Report.pdf";
        Form_InformationDialog wrapped(shared);
        wrapped.show();
        auto *text = child<QPlainTextEdit>(wrapped, "Text_Msg");
        QTRY_VERIFY(text->document()->lineCount() > 1);
        QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
    }

    void aboutBox()
    {
        QTemporaryDir dir;
        test::RecordingDialog ui;
        About about(ui);
        QCOMPARE(child<QLabel>(about, "lblVersion")->text(), QString("Version 1.0.0"));
        QCOMPARE(About::versionText("2.5"), QString("Version 2.5.0"));

        about.setProgramSearchPath({});
        QTest::mouseClick(child<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(ui.messages(), QStringList{"System Information Is Unavailable At This Time"});
        QVERIFY(ui.said.first().icon == MessageIcon::None);

        // The animations run only while the box is open.
        auto *timer1 = about.findChild<QTimer *>("Timer1");
        auto *timer2 = about.findChild<QTimer *>("Timer2");
        about.show();
        QVERIFY(timer1->isActive() && !timer2->isActive());
        QLabel *credits = child<QLabel>(about, "Label65b");
        QVERIFY(!credits->visibleRegion().intersects(credits->rect()));
        QTest::mouseClick(child<QLabel>(about, "picIcon"), Qt::LeftButton);
        QVERIFY(timer2->isActive());
        QVERIFY(!credits->visibleRegion().isEmpty());
        QTest::mouseClick(child<QLabel>(about, "picIcon"), Qt::LeftButton);
        QVERIFY(!timer2->isActive());
        QTest::mouseClick(child<QLabel>(about, "picIcon"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(about, "cmdOK"), Qt::LeftButton);
        QVERIFY(!about.isVisible() && !timer1->isActive() && !timer2->isActive());
    }

    void aboutPrintsToPdfWithoutPrinter()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a printer");
        QTemporaryDir dir;
        PrintOutput::setPdfFolder(dir.path());
        test::RecordingDialog ui;
        About about(ui);
        about.show();
        QTest::mouseClick(child<QLabel>(about, "Picture_Printer"), Qt::LeftButton);
        PrintOutput::setPdfFolder(QString());
        const QStringList pdfs = QDir(dir.path()).entryList({"About-*.pdf"});
        QCOMPARE(pdfs.size(), 1);
        QVERIFY(QFileInfo(dir.filePath(pdfs.first())).size() > 0);
        QCOMPARE(ui.messages().size(), 1);
        QVERIFY(ui.messages().first().contains(dir.filePath(pdfs.first())));
    }

    // A PDF that cannot be written whole is reported, and no file is left.
    void printoutThatCannotBeSavedIsSaid()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a printer");
        QTemporaryDir dir;
        PrintOutput::setPdfFolder(dir.path());
        const auto reset = qScopeGuard([] { PrintOutput::setPdfFolder(QString()); });
        QImage image(600, 400, QImage::Format_RGB32);  // noise: a PDF far larger than the limit
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, QRandomGenerator::global()->generate());
        }
        auto failsSaying = [&image](const char *what) {
            RecordingDialog ui;
            PrintImage(image, QStringLiteral("About"), ui);
            return ui.said.size() == 1 && ui.said.first().icon == MessageIcon::Critical
                && ui.said.first().text.contains(QLatin1String(what));
        };

        QCOMPARE(RunWithFileSizeLimit(16 * 1024, [&] { return failsSaying("incomplete") ? 0 : 1; }), 0);
        QCOMPARE(Entries(dir.path()), QStringList());

        // The PDF's name taken by a folder, whatever second the printout starts in.
        const QDateTime now = Now();
        for (int s = 0; s < 10; ++s)
            QVERIFY(QDir(dir.path()).mkdir(now.addSecs(s).toString("'About-'yyyyMMdd-HHmmss'.pdf'")));
        QVERIFY(failsSaying("About-"));
        QCOMPARE(Entries(dir.path()).size(), 10);
        for (const QString &folder : Entries(dir.path()))
            QCOMPARE(Entries(dir.filePath(folder)), QStringList());

        if (ReadOnlyFoldersAreWritable())
            QSKIP("running as root: a read-only folder can still be written");
        const QString readOnly = dir.filePath("ro");
        QVERIFY(QDir(dir.path()).mkdir("ro"));
        const ReadOnlyFolder locked(readOnly);
        PrintOutput::setPdfFolder(readOnly);
        QVERIFY(failsSaying("ro"));
        QCOMPARE(Entries(readOnly), QStringList());
    }

    void systemInfoLookup()
    {
        QTemporaryDir first, second;
        auto tool = [](const QString &path, bool executable) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\n");
            f.close();
            QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
            QVERIFY(f.setPermissions(executable ? p | QFile::ExeOwner : p));
        };
        tool(first.filePath("kinfocenter"), false);
        QVERIFY(FindSystemInfoProgram({first.path()}).isEmpty());
        tool(second.filePath("gnome-system-monitor"), true);
        QCOMPARE(FindSystemInfoProgram({first.path(), second.path()}), second.filePath("gnome-system-monitor"));
        tool(first.filePath("hardinfo"), true);
        QCOMPARE(FindSystemInfoProgram({first.path(), second.path()}), first.filePath("hardinfo"));
        QVERIFY(FindSystemInfoProgram({}).isEmpty());
    }

    void secondInstanceRefused()
    {
        QTemporaryDir dir;
        const QString lockPath = dir.filePath("zoltwin.lock");
        test::RecordingDialog ui;
        SingleInstance first(lockPath);
        QVERIFY(first.claim(ui));
        {
            SingleInstance second(lockPath);
            QVERIFY(!second.claim(ui));
            QCOMPARE(ui.messages(), QStringList{"Zolt application is already running"});
            QVERIFY(ui.said.first().icon == MessageIcon::Information);
        }
        QVERIFY(first.held());

        QCOMPARE(SingleInstance::lockPathFor("/opt/zolt"), SingleInstance::lockPathFor("/opt/zolt/"));
        QVERIFY(SingleInstance::lockPathFor("/opt/zolt") != SingleInstance::lockPathFor("/opt/zolt2"));
    }

    void lockOfCrashedRunTakenOver()
    {
        // A lock left by a process that has ended.
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForFinished());
        const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
        QTemporaryDir dir;
        const QString lockPath = dir.filePath("zoltwin.lock");
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nZolt\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();

        test::RecordingDialog ui;
        SingleInstance instance(lockPath);
        QVERIFY(instance.claim(ui));
        QVERIFY(ui.said.isEmpty());
    }

    void qtUserDialog()
    {
        QtUserDialog ui;
        ui.setBusy(true);
        ui.setBusy(true);
        QCOMPARE(pointer(), Qt::WaitCursor);
        ui.progress("Loading the payment file", 1500, 3000);
        QPointer<QProgressDialog> progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
        QVERIFY(progress);
        QVERIFY(progress->labelText().contains(QLocale().toString(1500) + " of " + QLocale().toString(3000)));
        QVERIFY(progress->labelText().contains("cannot be cancelled halfway"));
        QVERIFY(!progress->findChild<QPushButton *>());
        ui.setBusy(false);
        QVERIFY(!QApplication::overrideCursor());  // one restore for one busy state
        QVERIFY(!progress || !progress->isVisible());

        // Work that may be cancelled has a Cancel button: it cancels the
        // work, not the program, and only for as long as the work lasts.
        {
            const CancellableWork load(ui);
            ui.progress("Setting up Zolt data: lines read", 1000, 3000);
            progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
            QVERIFY(progress);
            QVERIFY(!progress->labelText().contains("cancelled"));
            auto *cancel = progress->findChild<QPushButton *>();
            QVERIFY(cancel);
            QCOMPARE(cancel->text(), QString("Cancel"));
            cancel->click();
            QVERIFY(load.cancelled());
            QVERIFY(ui.workToEnd());
            QVERIFY(!ui.stopRequested());
            ui.setBusy(false);
        }
        QVERIFY(!ui.workToEnd());

        // Boxes carry the product's name when no title is given; No answers false.
        QString seenTitle;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenTitle = box->windowTitle();
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!ui.askYesNo("Go on?", QString(), MessageIcon::Question));
        QCOMPARE(seenTitle, QString("Zolt"));

        // Closing the progress dialog asks whether to stop the work; Yes stands.
        ui.progress("Saving the Zolt data", 1000, 3000);
        progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
        QVERIFY(progress);
        QString asked;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            asked = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        progress->close();
        QCOMPARE(asked, StopQuestion);
        QVERIFY(ui.stopRequested());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zolt");
    QApplication::setApplicationVersion("1.0.0");
    TestAppDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_dialogs.moc"
