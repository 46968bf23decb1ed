#pragma once

#include "widgets/grid_column.h"

#include <QList>

namespace zolt {
struct Session;
class Recordset;
}

namespace zolt::verify_screens {

// The columns the verification list and the search's results show a
// recordset over VERIFY in: its mark as a word, the folio in its display
// form.
QList<GridColumn> FolioColumns(Session &session, const Recordset &folios);

}  // namespace zolt::verify_screens
