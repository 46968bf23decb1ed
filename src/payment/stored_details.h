#pragma once

#include "detail_line_encoder.h"
#include "store/rows_ahead.h"
#include "store/sqlite_db.h"

#include <QString>

namespace zolt::payment {

// The fields of a stored payment, in the order the rows of StoredDetails
// give them.
namespace DetailField {
enum { Mortco, Number, Name, Cd, Jur, Folio, Payment, Abc, GrossTax, RegGrant, AddGrant, Delq, Legal, Count };
}

// A stored payment: the cells of a row read, by DetailField.
class StoredRow {
public:
    explicit StoredRow(const Cell *cells) : m_cells(cells) {}

    const Cell &cell(int field) const { return m_cells[field]; }
    // The field as text, and as a number, as a recordset field gives it.
    QString text(int field) const;
    double number(int field) const;
    // The texts as stored, when each is a text or empty; the amounts are
    // left as they are.
    bool textBytes(StoredDetailBytes &row) const;

private:
    const Cell *m_cells;
};

// The payments of a recordset source (a table or a SELECT), read in its
// order on a thread of their own from the moment this is made: a save reads
// them while it makes the backup and begins the file.
class StoredDetails {
public:
    StoredDetails(Database &db, const QString &source);

    RowsAhead &rows() { return m_rows; }

private:
    Statement m_statement;
    RowsAhead m_rows;
};

}  // namespace zolt::payment
