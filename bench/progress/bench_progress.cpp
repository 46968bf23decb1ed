// What the progress dialog costs the long work of the tasks, and how long the
// event loop stands still while it runs (the window can neither paint nor
// take a click): the payment load and save, the workbook load and export,
// and the Verify.csv export and both imports, each with a dialog that says
// nothing and with the desktop program's progress dialog.
// Usage: bench_progress PAYMENT_FILE WORKBOOK VERIFY_DB [RUNS]
// VERIFY_DB holds folios whose codes the Verify.csv import accepts; it is
// copied, not changed. Each figure is the best of RUNS runs (3 by default).

#include "support/measure.h"
#include "support/timed_dialog.h"

#include "app/qt_user_dialog.h"
#include "common/session.h"
#include "payment/payment_load.h"
#include "payment/payment_save.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "verify/verify_csv.h"
#include "verify/verify_csv_import.h"
#include "verify/verify_export.h"
#include "verify/verify_load.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <limits>

using namespace zolt;
using namespace zolt::verify;

namespace {

struct Figures {
    qint64 quietMs = std::numeric_limits<qint64>::max();
    qint64 dialogMs = std::numeric_limits<qint64>::max();
    qint64 longestGapMs = std::numeric_limits<qint64>::max();
    int reports = 0;
    QString longestGapAfter;
};

qint64 timed(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.elapsed();
}

// Runs the work with each dialog, runs times, and keeps the best figures:
// the shared machine slows some runs down, none speeds one up.
Figures measure(int runs, const std::function<void(UserDialog &)> &work)
{
    Figures f;
    bench::QuietDialog quiet;
    bench::TimedDialog dialog;
    for (int i = 0; i < runs; ++i) {
        f.quietMs = std::min(f.quietMs, timed([&] { work(quiet); }));
        f.dialogMs = std::min(f.dialogMs, timed([&] {
            dialog.start();
            dialog.setBusy(true);
            work(dialog);
            dialog.stop();
            dialog.setBusy(false);
        }));
        if (dialog.longestGapMs < f.longestGapMs) {
            f.longestGapMs = dialog.longestGapMs;
            f.longestGapAfter = dialog.longestGapAfter;
        }
        f.reports = dialog.reports;
    }
    return f;
}

void print(QTextStream &out, const char *name, const Figures &f)
{
    out << name << "_quiet_ms " << f.quietMs << "\n"
        << name << "_with_progress_ms " << f.dialogMs << " (" << f.reports << " reports)\n"
        << name << "_longest_gap_ms " << f.longestGapMs << " (the event loop stood still, after "
        << f.longestGapAfter << ")\n";
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3 || args.size() > 4) {
        QTextStream(stderr) << "Usage: bench_progress PAYMENT_FILE WORKBOOK VERIFY_DB [RUNS]\n";
        return 2;
    }
    const int runs = args.size() > 3 ? std::max(1, args[3].toInt()) : 3;
    QWidget window;  // the main window the progress dialog belongs to
    window.resize(600, 400);
    window.show();
    QApplication::processEvents();

    QTemporaryDir dir;
    const QString dbPath = dir.filePath(QStringLiteral("Zolt.mdb"));
    CreateDatabaseFile(dbPath);
    auto de = DataEnvironment::openFile(dbPath);
    SharedValues shared;
    bool whole = true;
    print(out, "payment_load", measure(runs, [&](UserDialog &ui) {
        Session session{*de, ui, shared};
        whole = payment::Csv2Mdb(session, args[0]).loaded() && whole;
    }));
    const QString saved = dir.filePath(QStringLiteral("Saved.csv"));
    print(out, "payment_save", measure(runs, [&](UserDialog &ui) {
        Session session{*de, ui, shared};
        whole = payment::Mdb2Csv(session, QString(), saved, dir.filePath(QStringLiteral("Saved.bak"))).saved && whole;
    }));
    print(out, "workbook_load", measure(runs, [&](UserDialog &ui) {
        Session session{*de, ui, shared};
        whole = Xls2Mdb(session, args[1], nullptr).loaded > 0 && whole;
    }));
    const QString written = dir.filePath(QStringLiteral("MortNoWritten.xlsx"));
    print(out, "workbook_export", measure(runs, [&](UserDialog &ui) {
        Session session{*de, ui, shared};
        whole = Mdb2Xls(session, written) && whole;
    }));

    const QString verifyPath = dir.filePath(QStringLiteral("Verify.mdb"));
    if (!QFile::copy(args[2], verifyPath))
        return 1;
    auto folios = DataEnvironment::openFile(verifyPath);
    const QString csv = dir.filePath(QStringLiteral("Verify.csv"));
    print(out, "verify_csv_export", measure(runs, [&](UserDialog &ui) {
        Session session{*folios, ui, shared};
        QString step;
        whole = ExportVerifyCsv(session, csv, step) > 0 && whole;
    }));
    for (const QString &option : {ImportOption1, ImportOption2}) {
        const QByteArray name = option == ImportOption1 ? "verify_csv_import1" : "verify_csv_import2";
        print(out, name.constData(), measure(runs, [&](UserDialog &ui) {
            Session session{*folios, ui, shared};
            whole = ImportVerifyCsv(session, option, csv) && whole;
        }));
    }
    if (!whole)
        out << "FAILED: a step did not finish whole\n";
    return whole ? 0 : 1;
}
