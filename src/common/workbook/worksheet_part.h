#pragma once

#include "sheet_cells.h"
#include "shared_strings.h"

namespace zolt::workbook {

class ZipArchive;

// No sheet may hold more filled cells than this.
constexpr qint64 MaxSheetCells = qint64(16) * 1024 * 1024;

// The cells of one worksheet part as text: shared and inline strings, numbers
// in their shortest form, booleans as TRUE and FALSE, error values as their
// text (#N/A), formula cells as their cached value. Elements are matched by
// local name, so the transitional and the strict vocabularies read alike.
SheetCells ReadWorksheet(const ZipArchive &archive, const QString &partName, const SharedStrings &sharedStrings);

}  // namespace zolt::workbook
