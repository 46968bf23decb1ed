#pragma once

#include "verify_load_context.h"

namespace zolt::workbook {
class SheetRows;
}

namespace zolt::verify {

struct Sheet;

// Reads one reference sheet (folio masks, districts, jurisdictions, pairs)
// into its table. The first row of a key wins; later ones are dropped
// without a word. Rows holding data below the end of the sheet are not read,
// and said (sheetName: the sheet's name in the workbook).
void ReadReferenceSheet(LoadContext &context, const Sheet &sheet, workbook::SheetRows &rows,
                        const QString &sheetName);

// The trace text of the stage that prepares a reference sheet.
QString ReferencePreparationStep(const Sheet &sheet);

}  // namespace zolt::verify
