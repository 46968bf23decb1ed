#pragma once

#include "common/shared_values.h"

#include <QString>
#include <QStringList>

namespace zolt::payment {

// The duplicate folios list: at most this many lines, whatever the count.
inline constexpr int DuplicateListLimit = 200;

inline const QString DuplicateListHeading = QStringLiteral(
    "Agen CD JUR Folio #   Name                  Payment Amount Legal Description");

// "There are 1,234 Duplicate Folios in the file".
QString DuplicateCountLine(qint64 count);

// One list line: agency, CD, JUR, folio, name (25), payment (10, right
// aligned), legal description (32).
QString DuplicateListLine(const DuplicateFolioStore::Row &row);

// The list lines of the store: its first rows, up to the list limit.
QStringList DuplicateListLines(const DuplicateFolioStore &store);

// The number of rows the list shows.
int DuplicateListedRows(const DuplicateFolioStore &store);

}  // namespace zolt::payment
