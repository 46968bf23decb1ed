#pragma once

#include "common/user_dialog.h"

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <limits>

namespace zolt::bench {

// Processor time of this process (CLOCK_PROCESS_CPUTIME_ID), which a busy
// machine disturbs less than the wall clock.
qint64 CpuMilliseconds();
// The most memory the process has held so far (ru_maxrss).
qint64 PeakKilobytes();

// The best of several runs: the shared machine slows some runs down, none
// speeds one up.
struct Timing {
    qint64 wallMs = std::numeric_limits<qint64>::max();
    qint64 cpuMs = std::numeric_limits<qint64>::max();

    template <typename Work>
    void measure(Work work)
    {
        QElapsedTimer timer;
        timer.start();
        const qint64 cpu = CpuMilliseconds();
        work();
        wallMs = std::min(wallMs, timer.elapsed());
        cpuMs = std::min(cpuMs, CpuMilliseconds() - cpu);
    }
    // "KEY_ms WALL" and "KEY_cpu_ms CPU" lines.
    void print(QTextStream &out, const char *key) const;
};

// Counts what would have been said; a benchmark expects silence.
class QuietDialog : public UserDialog {
public:
    void message(const QString &text, MessageIcon, const QString &) override
    {
        ++messages;
        last = text;
    }
    bool askYesNo(const QString &, const QString &, MessageIcon) override { return false; }
    QString inputBox(const QString &, const QString &, const QString &) override { return QString(); }
    void beep() override {}
    void letEventsRun() override {}
    void setBusy(bool) override {}

    int messages = 0;
    QString last;
};

}  // namespace zolt::bench
