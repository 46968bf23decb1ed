// Where payment-save and verify-export put the file they write: through a
// symbolic link to the file it leads to, never over a read-only file unless
// the read-only question was answered Yes, and on a full disk nowhere, with
// the system's words for it.

#include "batch_fixtures.h"
#include "batch_runner.h"

#include "support/test_files.h"

#include "common/file_replace.h"
#include "payment/payment_load.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>
#include <cerrno>

using namespace zolt;
using namespace zolt::test;

namespace {

// One command and the file it writes, with the backup it keeps beside it.
struct Writer {
    const char *command;
    const char *file;
    const char *backup;
    QByteArray written;  // how the new file begins
};

const Writer Writers[] = {{"payment-save", "Zoltdata.csv", "Zoltdata.bak", "ZOLT DATA FOR YEAR "},
                          {"verify-export", "MortNo.xlsx", "MortNo.bak", "PK\x03\x04"}};

}  // namespace

class TestBatchTargets : public QObject {
    Q_OBJECT

    TestSession t;

    BatchRun write(const Writer &w, const QString &path, const QStringList &options = {})
    {
        return runBatch(QStringList{"--db", t.dbPath()} + options + QStringList{w.command, path});
    }

private slots:
    void initTestCase()
    {
        WritePaymentFile(t.file("loaded.csv"), 3000);
        QVERIFY(payment::Csv2Mdb(t.session(), t.file("loaded.csv")).loaded());
        FillVerify(t, 20000);
    }

    // Both commands follow one rule: a link is written through and stays a
    // link; a read-only file is refused with a message saying so, and
    // replaced, still read-only, when --yes answers the question.
    void linksAreWrittenThroughAndReadOnlyFilesRefused()
    {
        QVERIFY(QDir(t.dir()).mkpath("elsewhere"));
        for (const Writer &w : Writers) {
            const QString real = t.file(QString("elsewhere/") + w.file);
            const QString link = t.file(w.file);
            writeFile(real, "the old file");
            QVERIFY(QFile::link(real, link));

            BatchRun run = write(w, link);
            QCOMPARE(run.exitCode, 0);
            QVERIFY(QFileInfo(link).isSymLink());
            QCOMPARE(QFileInfo(link).symLinkTarget(), real);
            QVERIFY(readFile(real).startsWith(w.written));
            QCOMPARE(readFile(t.file(w.backup)), QByteArray("the old file"));

            // A file that may not be replaced: the file and the backup stay.
            writeFile(real, "the old file");
            writeFile(t.file(w.backup), "the previous backup");
            QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            run = write(w, link);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.out.contains("Cannot write " + link + ": the file is read-only"), qPrintable(run.out));
            QVERIFY2(run.err.contains("is READONLY") && run.err.contains("-> No"), qPrintable(run.err));
            QCOMPARE(readFile(real), QByteArray("the old file"));
            QCOMPARE(readFile(t.file(w.backup)), QByteArray("the previous backup"));

            run = write(w, link, {"--yes"});
            QCOMPARE(run.exitCode, 0);
            QVERIFY(readFile(real).startsWith(w.written));
            QCOMPARE(FileMode(real), 0444);
            QVERIFY(QFileInfo(link).isSymLink());
        }
    }

    // Links that lead round in a circle lead to no file: every command that
    // writes refuses them with the system's words and leaves the links, and
    // the backup, as they were. A link to a file is written through.
    void circularLinksAreRefused()
    {
        QVERIFY(QDir(t.dir()).mkpath("circle"));
        const QString folder = t.file("circle");
        const QString loop = SystemErrorText(ELOOP);
        QVERIFY(QFile::link("Export.csv", folder + "/Export.csv"));
        BatchRun run = runBatch({"--db", t.dbPath(), "payment-export", "12"}, 0, folder);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains("Cannot write " + folder + "/Export.csv: " + loop), qPrintable(run.out));
        QCOMPARE(QFileInfo(folder + "/Export.csv").symLinkTarget(), folder + "/Export.csv");

        for (const Writer &w : Writers) {
            const QString first = folder + "/" + w.file;
            const QString other = folder + "/other-" + w.file;
            QVERIFY(QFile::link(other, first));
            QVERIFY(QFile::link(w.file, other));
            writeFile(folder + "/" + w.backup, "the previous backup");
            run = write(w, first);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.out.contains("Cannot write " + first + ": " + loop), qPrintable(run.out));
            QVERIFY(QFileInfo(first).isSymLink() && QFileInfo(other).isSymLink());
            QCOMPARE(readFile(folder + "/" + w.backup), QByteArray("the previous backup"));
        }
        QStringList left =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        left.sort();
        QCOMPARE(left, QStringList({"Export.csv", "MortNo.bak", "MortNo.xlsx", "Zoltdata.bak", "Zoltdata.csv",
                                    "other-MortNo.xlsx", "other-Zoltdata.csv"}));

        // A link to a file: the file it leads to takes the lines.
        QVERIFY(QFile::remove(folder + "/Export.csv"));
        writeFile(folder + "/payments.csv", "old lines");
        QVERIFY(QFile::link("payments.csv", folder + "/Export.csv"));
        run = runBatch({"--db", t.dbPath(), "payment-export", "12"}, 0, folder);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFileInfo(folder + "/Export.csv").isSymLink());
        QCOMPARE(readFile(folder + "/payments.csv").count("\r\n"), 3000);
    }

    // A disk that is really full: each command says "No space left on
    // device" and names the file; the file and its backup stay as they were.
    void aFullDiskIsSaidInTheSystemsWords()
    {
        QVERIFY(QDir(t.dir()).mkpath("disk"));
        // Room for the backup of a small file, none for the new one.
        const QString script = QStringLiteral(
            "printf 'the old file' > \"$1/$3\"; printf 'the old backup' > \"$1/$4\"\n"
            "head -c 450000 /dev/zero > \"$1/filler\" 2>/dev/null\n"
            "\"$5\" --db \"$6\" \"$2\" \"$1/$3\"; echo \"exit $?\"\n"
            "echo \"target: $(cat \"$1/$3\")\"; echo \"backup: $(cat \"$1/$4\")\"\n"
            "LC_ALL=C ls -a \"$1\" | tr '\\n' ' '; echo\n");
        for (const Writer &w : Writers) {
            const QString disk = t.file("disk");
            const std::optional<QString> out = RunOnSmallDisk(
                disk, 512 * 1024, script, {w.command, w.file, w.backup, ZOLT_BATCH, t.dbPath()});
            if (!out)
                QSKIP("no small disk can be mounted here (unshare -m needs the right to mount)");
            const QString target = disk + "/" + w.file;
            QVERIFY2(out->contains(target) && out->contains(": No space left on device"), qPrintable(*out));
            QVERIFY2(out->contains("exit 1\ntarget: the old file\n"), qPrintable(*out));
            QVERIFY2(out->contains("backup: the old backup\n"), qPrintable(*out));
            QVERIFY2(out->contains(QString(". .. %1 %2 filler \n").arg(w.backup, w.file)), qPrintable(*out));
        }
    }
};

QTEST_GUILESS_MAIN(TestBatchTargets)
#include "test_batch_targets.moc"
