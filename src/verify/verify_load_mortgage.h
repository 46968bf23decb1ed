#pragma once

#include "verify_load_context.h"
#include "verify_load_messages.h"

#include "store/batch_insert.h"
#include "verify_layout.h"
#include "common/folded_key_set.h"

#include <vector>

namespace zolt::workbook {
class SheetRows;
}

namespace zolt::verify {

// Reads the "Mortgage" sheet into VERIFY: skips header and blank rows, ends
// the sheet at the third of them (and says how many rows holding data lie
// below, unread), rejects rows without folio and PID,
// ignores duplicates and stores the rest with their warnings. Duplicates
// (the same company with the same jurisdiction and folio, or with the same
// PID for a row without folio) are looked up in hash indexes of the rows
// stored so far. The sheet is read row by row; what is kept of the rows read
// is their keys.
class MortgageRows {
public:
    explicit MortgageRows(LoadContext &context);
    // sheetName: the sheet's name in the workbook, for the messages.
    void read(workbook::SheetRows &sheet, const QString &sheetName);

private:
    using TrimmedCells = std::array<QStringView, MortgageColumnCount>;

    void readCells();
    void handleRow();
    bool isDuplicate(const MortgageCells &cells, const TrimmedCells &trimmed, bool pidOnly);
    void reportDuplicate(const MortgageCells &cells, bool pidOnly);
    void reject(const MortgageCells &cells);
    void store(const MortgageCells &cells, const TrimmedCells &trimmed, bool pidOnly);
    // Fills m_values from the cells, with the warnings they call for.
    void setStoredValues(const MortgageCells &cells, const TrimmedCells &trimmed, bool pidOnly);
    void warn(const QString &text);
    // A cell longer than its field loses the rest: noted, for the list
    // after the load.
    void noteCut(const Column &column, QStringView cell);
    // Stores the queued rows; called before any message, so that a row the
    // database refuses stops the load before later rows are reported.
    void flushRows();
    void queueRow();
    [[noreturn]] void refused(const RowRefused &e);

    LoadContext &m_context;
    BatchInsert m_insert;
    FoldedKeySet m_folios;  // company, jurisdiction, folio of every stored row
    FoldedKeySet m_pids;    // company, PID of every stored row with a PID
    SheetEnd m_end;
    bool m_ended = false;
    workbook::SheetRows *m_sheet = nullptr;
    int m_row = 0;
    bool m_listed = false;         // the sheet lists the row being read
    QString m_company;             // the current row's company and jurisdiction, cut for the look-up
    QString m_jurisdiction;
    MortgageCells m_values;                 // the values stored for the current row
    std::vector<MortgageCells> m_queued;    // the cells the trace names of the rows queued in m_insert
    int m_queuedCount = 0;
};

}  // namespace zolt::verify
