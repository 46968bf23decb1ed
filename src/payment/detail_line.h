#pragma once

#include "loose_values.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zolt::payment {

// One payment as a detail line carries it.
struct DetailRow {
    QString number;   // mortgage number
    QString name;     // owner
    QString cd;
    QString jur;
    QString folio;    // 18 digits
    double payment = 0;
    QString abc = QStringLiteral("A");
    double grossTax = 0;
    double regGrant = 0;
    double addGrant = 0;
    double delq = 0;
    QString legal;
};

inline constexpr int DetailValueCount = 12;

// Reads a detail line (quotes already removed) into a row. A legal
// description holding commas is kept whole, without them. An amount that is
// not a plain number is read as the number it begins with (0 when none), a
// text longer than its field as its first characters; each such value is
// noted in looseValues when it is given (its line left 0 for the caller).
// A line that would lose data is refused with ZoltError(BadFileFormat)
// saying why: values pushed along by an amount with a thousands separator, a
// folio of more than 18 significant digits, an amount too large or one the
// save could not write back (FormatAmountKeepsValue).
DetailRow ParseDetailLine(const QString &line, std::vector<LooseValue> *looseValues = nullptr);

// The detail line of a row, its folio given in display form. Values must be
// comma-free (CommaFree); quotes are stripped from the finished line,
// and a line break or a NUL in a value is written as a blank.
QString DetailLineText(const DetailRow &row, const QString &folioDisplay);

}  // namespace zolt::payment
