#include "progress_count.h"

#include "user_dialog.h"

namespace zolt {

ProgressCount::ProgressCount(UserDialog &ui, const QString &text, qint64 total)
    : m_ui(ui), m_text(text), m_total(total)
{
}

void ProgressCount::finish()
{
    if (m_reported && m_done != m_total)
        report(m_total);
}

void ProgressCount::report(qint64 done)
{
    m_reported = true;
    m_ui.progress(m_text, done, m_total);
    if (m_ui.workToEnd())
        throw WorkStopped{};
}

}  // namespace zolt
