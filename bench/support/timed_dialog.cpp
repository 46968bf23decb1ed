#include "timed_dialog.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdio>

namespace zolt::bench {

TimedDialog::TimedDialog()
{
    m_turn.setInterval(0);
    QObject::connect(&m_turn, &QTimer::timeout, [this] { tick(); });
}

void TimedDialog::start()
{
    m_clock.start();
    m_since = 0;
    longestGapMs = 0;
    reports = 0;
    longestGapAfter = QStringLiteral("start");
    m_lastReport = longestGapAfter;
    m_turn.start();
}

void TimedDialog::stop()
{
    tick();
    m_turn.stop();
}

void TimedDialog::progress(const QString &text, qint64 done, qint64 total)
{
    ++reports;
    m_lastReport = QStringLiteral("\"%1\" %2 of %3").arg(text).arg(done).arg(total);
    app::QtUserDialog::progress(text, done, total);
}

void TimedDialog::tick()
{
    const qint64 now = m_clock.elapsed();
    static const int shown = qEnvironmentVariableIntValue("ZOLT_BENCH_SHOW_GAPS");
    if (shown > 0 && now - m_since >= shown)
        std::fprintf(stderr, "stood still %lld ms after %s\n", now - m_since, qUtf8Printable(m_lastReport));
    if (now - m_since > longestGapMs) {
        longestGapMs = now - m_since;
        longestGapAfter = m_lastReport;
    }
    m_since = now;
}

}  // namespace zolt::bench
