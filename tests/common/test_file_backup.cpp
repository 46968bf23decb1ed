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
        QCOMPARE(Entries(dir.path()), both);

        CopyFileToBackup(source, backup);
        QCOMPARE(readFile(backup), content);
        QCOMPARE(Entries(dir.path()), both);

        QVERIFY_THROWS_EXCEPTION(ZoltError, CopyFileToBackup(dir.filePath("missing.xlsx"), backup));
        QCOMPARE(readFile(backup), content);

        // A backup name taken by a folder.
        QVERIFY(QDir(dir.path()).mkpath("Folder.bak/inside"));
        QVERIFY_THROWS_EXCEPTION(ZoltError, CopyFileToBackup(source, dir.filePath("Folder.bak")));
        QCOMPARE(QDir(dir.filePath("Folder.bak")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("inside"));
        QCOMPARE(Entries(dir.path()), QStringList({"Folder.bak", "MortNo1.bak", "MortNo1.xlsx"}));

        if (ReadOnlyFoldersAreWritable())
            QSKIP("running as root: a read-only folder can still be written");
        const ReadOnlyFolder readOnly(dir.path());
        QVERIFY_THROWS_EXCEPTION(ZoltError, CopyFileToBackup(source, dir.filePath("new.bak")));
        QVERIFY_THROWS_EXCEPTION(ZoltError, CopyFileToBackup(source, backup));
        QCOMPARE(readFile(backup), content);
    }

    // The backup a save makes: kept when the save succeeds; when it fails,
    // the previous backup comes back byte for byte (through a link too), and
    // a backup that was not there is not left. A save killed in the middle
    // leaves a whole backup and the previous one waiting beside it, which
    // the next save removes.
    void saveBackupIsUndoneWhenTheSaveFails()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("Zoltdata.csv");
        const QString backup = dir.filePath("Zoltdata.bak");
        const QStringList both = {"Zoltdata.bak", "Zoltdata.csv"};
        writeFile(file, "the file");
        writeFile(backup, "the previous backup");
        QVERIFY(QFile::setPermissions(backup, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        {
            SaveBackup failed(file, backup);
            QVERIFY(failed.made());
            QCOMPARE(readFile(backup), QByteArray("the file"));
        }
        QCOMPARE(readFile(backup), QByteArray("the previous backup"));
        QCOMPARE(FileMode(backup), 0640);
        QCOMPARE(Entries(dir.path()), both);

        QVERIFY(QFile::remove(backup));
        { SaveBackup failed(file, backup); }
        QCOMPARE(Entries(dir.path()), QStringList("Zoltdata.csv"));

        // Another file's backup, taken out of the way, comes back too.
        writeFile(backup, "another file's backup");
        {
            SaveBackup cleared = SaveBackup::Cleared(backup);
            QVERIFY(!QFile::exists(backup));
        }
        QCOMPARE(readFile(backup), QByteArray("another file's backup"));

        // Through a link, which stays.
        QVERIFY(QDir(dir.path()).mkdir("elsewhere"));
        const QString real = dir.filePath("elsewhere/Zoltdata.bak");
        QVERIFY(QFile::rename(backup, real));
        QVERIFY(QFile::link(real, backup));
        { SaveBackup failed(file, backup); }
        QCOMPARE(readFile(real), QByteArray("another file's backup"));
        QVERIFY(QFileInfo(backup).isSymLink());
        QVERIFY(QFile::remove(backup) && QFile::rename(real, backup));
        QVERIFY(QDir(dir.filePath("elsewhere")).removeRecursively());

        // Killed before the save was over (the child ends without undoing).
        QCOMPARE(RunWithFileSizeLimit(1 << 20, [&] {
                     new SaveBackup(file, backup);
                     return 0;
                 }),
                 0);
        QCOMPARE(readFile(backup), QByteArray("the file"));
        QStringList left = Entries(dir.path());
        QCOMPARE(left.size(), 3);
        left.removeAll("Zoltdata.bak");
        left.removeAll("Zoltdata.csv");
        QVERIFY2(left.first().startsWith("Zoltdata.bak.") && left.first().endsWith(".tmp"), qPrintable(left.first()));
        QCOMPARE(readFile(dir.filePath(left.first())), QByteArray("another file's backup"));

        writeFile(file, "the next file");
        {
            SaveBackup kept(file, backup);
            kept.keep();
        }
        QCOMPARE(readFile(backup), QByteArray("the next file"));
        QCOMPARE(Entries(dir.path()), both);
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
