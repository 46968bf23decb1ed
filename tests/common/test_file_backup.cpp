// The backup copy: a previous backup is replaced only by a complete new one.
// The temporary files of whole-or-nothing writes: one left by a writer that
// was killed goes with the next write of the same file. A read-only file is
// replaced only once the user said Yes to the read-only question.

#include "support/broken_disk.h"
#include "support/test_files.h"

#include "common/errors.h"
#include "common/file_checks.h"
#include "common/file_backup.h"
#include "common/temporary_target.h"
#include "common/text_file.h"
#include "support/recording_dialog.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

class TestFileBackup : public QObject {
    Q_OBJECT

private slots:
    void backupIsReplacedOnlyByACompleteCopy()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("MortNo1.xlsx");
        const QString backup = dir.filePath("MortNo1.bak");
        const QByteArray content(300 * 1024, 'x');
        writeFile(source, content);
        writeFile(backup, "the previous backup");
        auto entries = [&dir] { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
        const QStringList both = {"MortNo1.bak", "MortNo1.xlsx"};

        // A disk that fills up halfway through the copy.
        const int outcome = RunWithFileSizeLimit(100 * 1024, [&] {
            try {
                CopyFileToBackup(source, backup);
                return 1;
            } catch (const ZoltError &e) {
                const bool named = e.description().contains(source) && e.description().contains(backup);
                return e.number() == ErrorNumber::DiskFull && named ? 0 : 2;
            }
        });
        QCOMPARE(outcome, 0);
        QCOMPARE(readFile(backup), QByteArray("the previous backup"));
        QCOMPARE(entries(), both);

        CopyFileToBackup(source, backup);
        QCOMPARE(readFile(backup), content);
        QCOMPARE(entries(), both);

        QVERIFY_THROWS_EXCEPTION(ZoltError, CopyFileToBackup(dir.filePath("missing.xlsx"), backup));
        QCOMPARE(readFile(backup), content);

        // A backup name taken by a folder.
        QVERIFY(QDir(dir.path()).mkpath("Folder.bak/inside"));
        QVERIFY_THROWS_EXCEPTION(ZoltError, CopyFileToBackup(source, dir.filePath("Folder.bak")));
        QCOMPARE(QDir(dir.filePath("Folder.bak")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("inside"));
        QCOMPARE(entries(), QStringList({"Folder.bak", "MortNo1.bak", "MortNo1.xlsx"}));

        if (ReadOnlyFoldersAreWritable())
            QSKIP("running as root: a read-only folder can still be written");
        const ReadOnlyFolder readOnly(dir.path());
        QVERIFY_THROWS_EXCEPTION(ZoltError, CopyFileToBackup(source, dir.filePath("new.bak")));
        QVERIFY_THROWS_EXCEPTION(ZoltError, CopyFileToBackup(source, backup));
        QCOMPARE(readFile(backup), content);
    }

    void leftoverTemporaryFilesGoWithTheNextWrite()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("Zoltdata.csv");
        auto entries = [&dir] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); };
        // Left by a killed writer, and files that only look alike.
        for (const char *name : {"Zoltdata.csv.k1LLed.tmp", "Zoltdata.csv.notes.tmp", "Other.csv.k1LLed.tmp"})
            writeFile(dir.filePath(name), "left");

        TemporaryTarget writing(target);
        TemporaryTarget next(target);
        QStringList expected = {"Other.csv.k1LLed.tmp", "Zoltdata.csv.notes.tmp", QFileInfo(writing.path()).fileName(),
                                QFileInfo(next.path()).fileName()};
        expected.sort();
        QCOMPARE(entries(), expected);
        next.discard();
        writing.discard();
        QCOMPARE(entries(), QStringList({"Other.csv.k1LLed.tmp", "Zoltdata.csv.notes.tmp"}));
    }

    // The main window's question, answered Yes, lets the save replace the
    // file, which stays read-only; No, or another file, is refused.
    void readOnlyFileIsReplacedOnlyOnceConfirmed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zoltdata.csv");
        writeFile(path, "the old file");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        auto save = [&path](UserDialog &ui) {
            TextFileWriter out(path, "payment file", ui.readOnlyTarget(path));
            out.writeLine("the new file");
            out.commit();
        };
        RecordingDialog ui;
        ui.yesNoAnswers = {false, true};
        QVERIFY(!ConfirmFileAttributes(path, ZoltFileQuestions, ui));
        QVERIFY_THROWS_EXCEPTION(ZoltError, save(ui));
        QCOMPARE(readFile(path), QByteArray("the old file"));
        QVERIFY(ConfirmFileAttributes(path, ZoltFileQuestions, ui));
        save(ui);
        QCOMPARE(readFile(path), QByteArray("the new file\r\n"));
        QCOMPARE(FileMode(path), 0444);
        QCOMPARE(ui.readOnlyTarget(dir.filePath("Zoltdata.bak")), ReadOnlyTarget::Refuse);
    }
};

QTEST_GUILESS_MAIN(TestFileBackup)
#include "test_file_backup.moc"
