// What the progress dialog costs the long work of the tasks, and how long the
// window goes without painting while it runs: the payment save, the workbook
// load and the workbook export, each with a dialog that says nothing and with
// the desktop program's progress dialog.
// Usage: bench_progress PAYMENT_FILE WORKBOOK [RUNS]
// Each figure is the best of RUNS runs (3 by default).

#include "support/measure.h"
#include "support/timed_dialog.h"

#include "app/qt_user_dialog.h"
#include "common/session.h"
#include "payment/payment_load.h"
#include "payment/payment_save.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "verify/verify_export.h"
#include "verify/verify_load.h"

#include <QApplication>
#include <QElapsedTimer>
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
        f.longestGapMs = std::min(f.longestGapMs, dialog.longestGapMs);
        f.reports = dialog.reports;
    }
    return f;
}

void print(QTextStream &out, const char *name, const Figures &f)
{
    out << name << "_quiet_ms " << f.quietMs << "\n"
        << name << "_with_progress_ms " << f.dialogMs << " (" << f.reports << " reports)\n"
        << name << "_longest_gap_ms " << f.longestGapMs << " (without letting the window paint)\n";
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 || args.size() > 3) {
        QTextStream(stderr) << "Usage: bench_progress PAYMENT_FILE WORKBOOK [RUNS]\n";
        return 2;
    }
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    QWidget window;  // the main window the progress dialog belongs to
    window.resize(600, 400);
    window.show();
    QApplication::processEvents();

    QTemporaryDir dir;
    const QString dbPath = dir.filePath(QStringLiteral("Zolt.mdb"));
    CreateDatabaseFile(dbPath);
    auto de = DataEnvironment::openFile(dbPath);
    SharedValues shared;
    bench::QuietDialog quiet;
    Session loading{*de, quiet, shared};
    if (!payment::Csv2Mdb(loading, args[0]).loaded())
        return 1;

    const QString saved = dir.filePath(QStringLiteral("Saved.csv"));
    print(out, "payment_save", measure(runs, [&](UserDialog &ui) {
        Session session{*de, ui, shared};
        payment::Mdb2Csv(session, QString(), saved, dir.filePath(QStringLiteral("Saved.bak")));
    }));
    print(out, "workbook_load", measure(runs, [&](UserDialog &ui) {
        Session session{*de, ui, shared};
        Xls2Mdb(session, args[1], nullptr);
    }));
    const QString written = dir.filePath(QStringLiteral("MortNoWritten.xlsx"));
    print(out, "workbook_export", measure(runs, [&](UserDialog &ui) {
        Session session{*de, ui, shared};
        Mdb2Xls(session, written);
    }));
    return 0;
}
