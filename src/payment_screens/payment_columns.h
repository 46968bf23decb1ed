#pragma once

#include "widgets/grid_column.h"

#include <QList>

namespace zolt::payment_screens {

// The columns of the agency's payments list, and of the search's result
// list (the same fields, its own captions and order), each field with one
// width and format.
QList<GridColumn> PaymentListColumns();
QList<GridColumn> PaymentSearchColumns();

}  // namespace zolt::payment_screens
