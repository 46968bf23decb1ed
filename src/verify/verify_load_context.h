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
    explicit LoadTrace(const MortgageCells &row) : m_row(row) {}

    void set(const QString &step) { set(step, QString()); }
    void set(const QString &step, const QString &detail)
    {
        m_step = step;
        m_detail = detail;
        m_kind = Kind::Detail;
    }
    // A stage followed by a cell of the "Mortgage" row being read; the
    // stage's text lasts as long as the load (a table of the stages).
    void setCell(const QString *step, int column)
    {
        m_cellStep = step;
        m_column = column;
        m_kind = Kind::Cell;
    }
    // The stage that saves the "Mortgage" row being read, named by its cells.
    void setSavingRow() { m_kind = Kind::SavingRow; }

    QString text() const
    {
        switch (m_kind) {
        case Kind::Cell: return *m_cellStep + m_row[size_t(m_column)];
        case Kind::SavingRow: return LoadMessage::SavingRow(m_row);
        case Kind::Detail: break;
        }
        return m_step + m_detail;
    }

private:
    enum class Kind { Detail, Cell, SavingRow };
    const MortgageCells &m_row;
    QString m_step;
    QString m_detail;
    const QString *m_cellStep = nullptr;
    int m_column = 0;
    Kind m_kind = Kind::Detail;
};

// What one call of the load carries from stage to stage.
struct LoadContext {
    LoadContext(Session &s, VerifyMessageList *messages) : session(s), list(messages) {}

    Session &session;
    VerifyMessageList *list;  // null: message boxes
    MortgageCells row;        // the cells of the "Mortgage" row being read
    LoadTrace trace{row};
    VerifyLoadResult counts;

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
