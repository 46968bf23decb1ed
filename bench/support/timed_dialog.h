#pragma once

#include "app/qt_user_dialog.h"
#include "measure.h"

#include <QElapsedTimer>
#include <QTimer>

namespace zolt::bench {

// The desktop program's dialog, with a timer that fires at every turn of the
// event loop while the work runs: the longest stretch between two firings is
// how long the window stood still (it could neither paint nor take a click).
// ZOLT_BENCH_SHOW_GAPS=N in the environment prints every stretch of N ms or
// more, with the report it followed.
class TimedDialog : public app::QtUserDialog {
public:
    TimedDialog();
    void start();
    void stop();
    void progress(const QString &text, qint64 done, qint64 total) override;

    qint64 longestGapMs = 0;
    int reports = 0;
    // Where the longest stretch began: after which report of the work
    // ("start" when before the first), to find the step that holds the loop.
    QString longestGapAfter;

private:
    void tick();

    QTimer m_turn;
    QElapsedTimer m_clock;
    qint64 m_since = 0;
    QString m_lastReport;
};

// The best wall time of a screen's step over several runs, and the least of
// their longest stretches without a turn of the event loop.
struct TimedFigure {
    Timing timing;
    qint64 longestGapMs = std::numeric_limits<qint64>::max();

    template <typename Work>
    void measure(TimedDialog &dialog, Work work)
    {
        timing.measure([&] {
            dialog.start();
            work();
            dialog.stop();
        });
        longestGapMs = std::min(longestGapMs, dialog.longestGapMs);
    }
};

}  // namespace zolt::bench
