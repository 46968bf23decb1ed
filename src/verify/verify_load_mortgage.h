#pragma once

#include "verify_load_context.h"
#include "verify_load_messages.h"

#include "verify_row_index.h"
#include "store/batch_insert.h"


namespace zolt::workbook {
class SheetCells;
}

namespace zolt::verify {

// Reads the "Mortgage" sheet into VERIFY: skips header and blank rows, ends
// the sheet at the third of them, rejects rows without folio and PID,
// ignores duplicates and stores the rest with their warnings. Duplicates are
// looked up in hash indexes that answer what DuplicateFilter on the rows
// stored so far would answer; gFilter receives the last row's filter.
class MortgageRows {
public:
    explicit MortgageRows(LoadContext &context);
    ~MortgageRows();
    void read(const workbook::SheetCells &sheet);

    // The filter text that finds a row's duplicates among the stored rows.
    static QString DuplicateFilter(const MortgageCells &cells, bool pidOnly);

private:
    void handleRow();
    bool isDuplicate(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly);
    void reportDuplicate(const MortgageCells &cells, bool pidOnly);
    void reject(const MortgageCells &cells);
    void store(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly);
    // Fills m_values from the cells, with the warnings they call for.
    void setStoredValues(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly);
    void warn(const QString &text);
    // Stores the queued rows; called before any message, so that a row the
    // database refuses stops the load before later rows are reported.
    void flushRows();
    void queueRow();
    [[noreturn]] void refused(const RowRefused &e);
    // A stored field of an earlier row, as it was stored.
    QString storedField(int row, int column) const;

    LoadContext &m_context;
    BatchInsert m_insert;
    RowKeyIndex m_folios;  // company, jurisdiction, folio of every stored row
    RowKeyIndex m_pids;    // company, PID of every stored row with a PID
    qint64 m_endMarks = 0;
    const workbook::SheetCells *m_sheet = nullptr;
    int m_row = 0;
    int m_lastFilteredRow = 0;  // the last row looked up, 0 for none
    bool m_lastFilteredPidOnly = false;
    MortgageCells m_trimmed;
    MortgageCells m_values;  // the values stored for the current row
    std::vector<int> m_queuedRows;  // sheet rows queued in m_insert
};

}  // namespace zolt::verify
