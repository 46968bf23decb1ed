#pragma once

#include <QDate>

namespace zolt {

// Today's date as the program sees it: the system's, unless a test has set
// another. Every rule that depends on the date (the current year of the
// payment file, the year of the loaded folio masks) asks here.
QDate Today();

// Tests only: makes Today() answer `date`; an invalid date gives the
// system's date back.
void SetTodayForTesting(const QDate &date);

}  // namespace zolt
