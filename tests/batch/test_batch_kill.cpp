// payment-save and verify-export killed (SIGKILL) at random moments over a
// large file, 100 times each: the file is always the old one or the whole new
// one, and its backup the previous backup or a whole copy of the old file.
// The temporary file a killed run leaves beside them goes with a later run.

#include "batch_fixtures.h"
#include "batch_runner.h"

#include "support/test_files.h"
#include "support/sheet_grid.h"

#include "common/errors.h"
#include "payment/payment_load.h"

#include <algorithm>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>
#include <functional>

using namespace zolt;
using namespace zolt::test;

namespace {

constexpr int Runs = 100;
const QByteArray OldFile = "the old file";
const QByteArray OldBackup = "the previous backup";

// What the killed runs left.
struct Tally {
    int newFile = 0;      // the whole new file was in place
    int copiedBackup = 0; // the backup was a whole copy of the old file
    int leftTemporary = 0;
    int finished = 0;     // the run was over before the kill
};

// One command writing file (backup beside it) in a folder of their own.
struct KillCase {
    QString folder;
    QString file;
    QString backup;
    QStringList arguments;                    // zolt-batch's, the file last
    std::function<bool(const QString &)> isNew;  // the file is the whole new one
};

QStringList othersIn(const KillCase &c)
{
    QStringList names = QDir(c.folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeAll(c.file);
    names.removeAll(c.backup);
    return names;
}

bool isTemporaryOf(const QString &name, const KillCase &c)
{
    for (const QString &kept : {c.file, c.backup}) {
        if (name.size() == kept.size() + 11 && name.startsWith(kept + '.') && name.endsWith(".tmp"))
            return true;
    }
    return false;
}

// The longest of three whole runs: on a busy machine one run says little
// of the next, and kills meant to land after the end would land before it.
qint64 wholeRunMilliseconds(const KillCase &c)
{
    qint64 longest = 0;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (runBatch(c.arguments).exitCode != 0)
            return -1;
        longest = std::max(longest, timer.elapsed());
    }
    return longest;
}

void killAtRandom(const KillCase &c, qint64 span, Tally &tally)
{
    const QString file = QDir(c.folder).filePath(c.file);
    const QString backup = QDir(c.folder).filePath(c.backup);
    writeFile(file, OldFile);
    writeFile(backup, OldBackup);
    QProcess batch;
    batch.start(QStringLiteral(ZOLT_BATCH), c.arguments);
    QVERIFY(batch.waitForStarted());
    QThread::msleep(static_cast<unsigned long>(QRandomGenerator::global()->bounded(span)));
    tally.finished += batch.state() == QProcess::NotRunning ? 1 : 0;
    batch.kill();
    batch.waitForFinished();

    const bool newFile = c.isNew(file);
    QVERIFY2(newFile || readFile(file) == OldFile, qPrintable(c.file));
    const QByteArray backupNow = readFile(backup);
    QVERIFY2(backupNow == OldBackup || backupNow == OldFile, qPrintable(c.backup));
    tally.newFile += newFile ? 1 : 0;
    tally.copiedBackup += backupNow == OldFile ? 1 : 0;
    const QStringList others = othersIn(c);
    for (const QString &name : others)
        QVERIFY2(isTemporaryOf(name, c), qPrintable(name));
    tally.leftTemporary += others.isEmpty() ? 0 : 1;
}

void killRepeatedly(const KillCase &c)
{
    const qint64 whole = wholeRunMilliseconds(c);
    QVERIFY(whole > 0);
    Tally tally;
    for (int run = 0; run < Runs && !QTest::currentTestFailed(); ++run)
        killAtRandom(c, whole + whole / 4, tally);
    if (QTest::currentTestFailed())
        return;
    // A run to its end: what the killed ones left is gone.
    QCOMPARE(runBatch(c.arguments).exitCode, 0);
    QCOMPARE(othersIn(c), QStringList());
    qInfo("%s, %d runs killed within %lld ms: new file %d, old file %d; backup copied %d, previous %d; "
          "over before the kill %d; a temporary file left by %d, removed by a later run",
          qPrintable(c.arguments.at(c.arguments.size() - 2)), Runs, whole + whole / 4, tally.newFile,
          Runs - tally.newFile, tally.copiedBackup, Runs - tally.copiedBackup, tally.finished,
          tally.leftTemporary);
    // The runs mean something only when kills land while the files are
    // being written (a temporary file left behind), and some after the new
    // file is in place.
    QVERIFY2(tally.leftTemporary >= Runs / 4, "too few kills landed while the files were written");
    QVERIFY2(tally.newFile >= 1, "no kill landed after the new file was in place");
}

}  // namespace

class TestBatchKill : public QObject {
    Q_OBJECT

private slots:
    void paymentSaveKilledLeavesWholeFiles()
    {
        TestSession t;
        WritePaymentFile(t.file("loaded.csv"), 30000);
        QVERIFY(payment::Csv2Mdb(t.session(), t.file("loaded.csv")).loaded());
        QVERIFY(QDir(t.dir()).mkdir("files"));
        const QString folder = t.file("files");
        const QString file = folder + "/Zoltdata.csv";
        const QStringList arguments = {"--db", t.dbPath(), "payment-save", file};
        QCOMPARE(runBatch(arguments).exitCode, 0);
        const QByteArray written = readFile(file);
        QVERIFY2(written.size() > 2000000, qPrintable(QString::number(written.size())));
        killRepeatedly({folder, "Zoltdata.csv", "Zoltdata.bak", arguments,
                        [&written](const QString &path) { return readFile(path) == written; }});
    }

    void exportKilledLeavesWholeFiles()
    {
        TestSession t;
        FillVerify(t, 40000);
        QVERIFY(QDir(t.dir()).mkdir("files"));
        const QString folder = t.file("files");
        const QString file = folder + "/MortNo1.xlsx";
        // The workbook carries the moment it was made: a whole one is one
        // that reads with every row.
        auto isNew = [](const QString &path) {
            try {
                return test::SheetGrid(path, 1).rowCount() == 40001;
            } catch (const ZoltError &) {
                return false;
            }
        };
        killRepeatedly({folder, "MortNo1.xlsx", "MortNo1.bak", {"--db", t.dbPath(), "verify-export", file}, isNew});
    }
};

QTEST_GUILESS_MAIN(TestBatchKill)
#include "test_batch_kill.moc"
