#pragma once

#include "detail_line.h"
#include "mask_line.h"

#include <QString>
#include <functional>
#include <variant>
#include <vector>

namespace zolt::payment {

// What a payment file says, in file order, read and checked before anything
// is stored. Applying the items in order rebuilds the tables.
struct YearItem {
    QString year;  // an accepted year line after the first line
};
struct GroupStartItem {};
struct GroupValueItem {
    int label;      // index into GroupLabels()
    QString value;
};
using PaymentItem = std::variant<YearItem, MaskLine, GroupStartItem, GroupValueItem, DetailRow>;

struct PaymentFileContent {
    // The year of a first line that is a year line, when accepted.
    QString firstLineYear;
    // The first line is a year line outside the accepted years: nothing
    // further is read.
    bool yearRefused = false;
    std::vector<PaymentItem> items;
};

// Reads and checks the whole file. Throws ZoltError naming the line for input
// that cannot be read without losing data, and for a file that is not a
// payment file at all. progress gets the lines read so far now and then.
PaymentFileContent ReadPaymentFile(const QString &path, int currentYear,
                                   const std::function<void(qint64)> &progress = {});

}  // namespace zolt::payment
