#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace zolt {

// A line of the comma-separated files (the payment file's detail lines,
// Export.csv, Verify.csv): values separated by single commas, no quoting and
// no escaping.

// A value as such a line carries it: its commas removed, so that it stays
// one value when the line is read back.
QString CommaFree(QStringView value);
bool HasComma(QStringView value);

// The line of values: each value CommaFree, the values joined by commas, the
// whole line passed through StripQuotes (no double quote, no apostrophe, no
// outer blanks).
QString JoinCsvLine(const QStringList &values);

// The first `count` values of a line: the text before the first comma, then
// after it, and so on; when no comma is left the rest of the line is the
// last value; missing values are empty. *rest (when given) gets what follows
// the comma after the last value taken.
std::vector<QStringView> SplitCsvLine(QStringView line, int count, QStringView *rest = nullptr);

}  // namespace zolt
