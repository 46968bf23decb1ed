#pragma once

#include <QDate>
#include <QDateTime>

namespace zolt {

// Today's date as the program sees it: the system's, unless a test has set
// another. Every rule that depends on the date (the current year of the
// payment file, the year of the loaded folio masks) asks here.
QDate Today();
// The year of Today().
int CurrentYear();
// Today() at the system's time of day: the time reports and PDFs are
// stamped with.
QDateTime Now();

// Tests only: makes Today() answer `date`; an invalid date gives the
// system's date back.
void SetTodayForTesting(const QDate &date);

}  // namespace zolt
