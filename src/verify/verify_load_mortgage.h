#pragma once

#include "verify_load_context.h"
#include "verify_load_messages.h"

#include "verify_row_insert.h"

#include <QSet>
#include <optional>

namespace zolt {
class SheetCells;
}

namespace zolt::verify {

// Reads the "Mortgage" sheet into VERIFY: skips header and blank rows, ends
// the sheet at the third of them, rejects rows without folio and PID,
// ignores duplicates and stores the rest with their warnings. Duplicates are
// looked up in hash sets that answer what DuplicateFilter on the rows stored
// so far would answer; gFilter receives the last row's filter.
class MortgageRows {
public:
    explicit MortgageRows(LoadContext &context);
    ~MortgageRows();
    void read(const SheetCells &sheet);

    // The filter text that finds a row's duplicates among the stored rows.
    static QString DuplicateFilter(const MortgageCells &cells, bool pidOnly);

private:
    void handleRow(const SheetCells &sheet, int row);
    bool isDuplicate(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly);
    void reportDuplicate(const MortgageCells &cells, bool pidOnly);
    void reject(const MortgageCells &cells);
    void store(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly);
    MortgageCells storedValues(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly);
    void warn(const QString &text);

    LoadContext &m_context;
    RowInsert m_insert;
    QSet<QString> m_folioKeys;  // company, jurisdiction, folio of every stored row
    QSet<QString> m_pidKeys;    // company, PID of every stored row
    qint64 m_endMarks = 0;
    std::optional<MortgageCells> m_lastFiltered;  // the last row looked up
    bool m_lastFilteredPidOnly = false;
};

}  // namespace zolt::verify
