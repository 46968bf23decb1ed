#pragma once

#include "duplicate_folio_store.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zolt::payment {

// A column of the duplicate folios list and of its printout.
struct DuplicateColumn {
    QString heading;
    int width;  // in characters, in the list's fixed-pitch lines
    bool alignRight = false;
    bool neverCut = false;  // grows to the widest value listed instead
};
const std::vector<DuplicateColumn> &DuplicateColumns();

// The columns' widths for the rows the list shows: the folio's column as
// wide as the longest folio display listed (masks make them of different
// lengths), the others as they are.
std::vector<int> DuplicateColumnWidths(const DuplicateFolioStore &store);

// "There are 1,234 Duplicate Folios in the file".
QString DuplicateCountLine(qint64 count);

// A row's values in the order of the columns: agency, CD, JUR, folio,
// mortgage number, name, payment, legal description.
QStringList DuplicateCells(const PaymentRecord &payment);

// The list's heading and lines: each value padded (an amount on the left)
// or cut to its column's width, so that a fixed-pitch font lines them up.
QString DuplicateListHeading(const DuplicateFolioStore &store);

// The list lines of the store: its first rows, up to the list limit.
QStringList DuplicateListLines(const DuplicateFolioStore &store);

// The number of rows the list shows: those the store kept.
int DuplicateListedRows(const DuplicateFolioStore &store);

}  // namespace zolt::payment
