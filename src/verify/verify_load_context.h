#pragma once

#include "verify_load.h"
#include "verify_load_messages.h"

#include "common/session.h"

#include <QString>

namespace zolt::verify {

// The stage the load has reached, shown by its error trap. The detail is kept
// apart so that a stage can name its cell without building a text per row.
class LoadTrace {
public:
    void set(const QString &step) { set(step, QString()); }
    void set(const QString &step, const QString &detail)
    {
        m_step = step;
        m_detail = detail;
        m_savingRow = false;
    }
    // The stage that saves a "Mortgage" row, named by its cells, which must
    // outlive the trace's use.
    void setSavingRow(const MortgageCells *row)
    {
        m_row = row;
        m_savingRow = true;
    }
    QString text() const { return m_savingRow ? LoadMessage::SavingRow(*m_row) : m_step + m_detail; }

private:
    QString m_step;
    QString m_detail;
    const MortgageCells *m_row = nullptr;
    bool m_savingRow = false;
};

// What one call of the load carries from stage to stage.
struct LoadContext {
    Session &session;
    VerifyMessageList *list;  // null: message boxes
    LoadTrace trace;
    VerifyLoadResult counts;
    MortgageCells row;  // the cells of the "Mortgage" row being read

    bool reportToList() const { return list != nullptr; }
    // A line of the list, followed by a moment for pending events.
    void listLine(const QString &text)
    {
        list->addLine(text);
        session.ui.letEventsRun();
    }
    // A message: a list line in list mode, otherwise an information box.
    void deliver(const QString &text)
    {
        if (list)
            listLine(text);
        else
            session.ui.message(text, MessageIcon::Information);
    }
};

}  // namespace zolt::verify
