#include "timed_dialog.h"

#include <algorithm>

namespace zolt::bench {

void TimedDialog::start()
{
    m_clock.start();
    m_since = 0;
    longestGapMs = 0;
    reports = 0;
}

void TimedDialog::letEventsRun()
{
    mark();
    app::QtUserDialog::letEventsRun();
}

void TimedDialog::progress(const QString &text, qint64 done, qint64 total)
{
    mark();
    ++reports;
    app::QtUserDialog::progress(text, done, total);
}

void TimedDialog::mark()
{
    const qint64 now = m_clock.elapsed();
    longestGapMs = std::max(longestGapMs, now - m_since);
    m_since = now;
}

}  // namespace zolt::bench
