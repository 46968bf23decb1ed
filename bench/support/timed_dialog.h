#pragma once

#include "app/qt_user_dialog.h"

#include <QElapsedTimer>

namespace zolt::bench {

// The desktop program's dialog, timing the stretches between two moments
// the window could paint: the longest is how long the window stood still.
class TimedDialog : public app::QtUserDialog {
public:
    void start();
    void stop() { mark(); }
    void letEventsRun() override;
    void progress(const QString &text, qint64 done, qint64 total) override;

    qint64 longestGapMs = 0;
    int reports = 0;

private:
    void mark();

    QElapsedTimer m_clock;
    qint64 m_since = 0;
};

}  // namespace zolt::bench
