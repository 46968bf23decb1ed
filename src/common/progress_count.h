#pragma once

#include <QString>

namespace zolt {

class UserDialog;

// Thrown where long work reports its progress once the user asked to stop it
// (UserDialog::askToStop) or cancelled it (CancellableWork). The work catches
// it at its top, drops what it was writing (an import keeps what it stored)
// and says nothing more. It is no std::exception, so the error traps
// on the way let it through.
struct WorkStopped {};

// Counts the steps of long work (rows read or written) and reports "done of
// total" through the user dialog every Interval steps and at the last one,
// so that the window keeps painting; work of fewer steps says nothing. Each
// report is where the work notices a stop or a cancel the user asked for:
// step() and finish() then throw WorkStopped.
class ProgressCount {
public:
    static constexpr qint64 Interval = 1000;

    ProgressCount(UserDialog &ui, const QString &text, qint64 total);

    // One step, or several at once (reported as the last whole interval
    // they reach).
    void step(qint64 steps = 1)
    {
        const qint64 before = m_done;
        m_done += steps;
        if (m_done / Interval != before / Interval)
            report(m_done / Interval * Interval);
        if (m_done == m_total && m_reported && m_done % Interval != 0 && steps > 0)
            report(m_done);
    }
    // The work is over, with or without every step counted: a report of all
    // of them ends what the dialog shows.
    void finish();

private:
    void report(qint64 done);

    UserDialog &m_ui;
    QString m_text;
    qint64 m_total;
    qint64 m_done = 0;
    bool m_reported = false;
};

}  // namespace zolt
