#pragma once

#include <QString>
#include <vector>

namespace zolt::payment {

// An amount of a payment line whose text is not a plain number ("125.00
// PRIOR YEAR", "abc"), read as the number it begins with, 0 when it begins
// with none.
struct LooseAmount {
    qint64 line = 0;  // in the file, from 1
    QString column;   // the heading of its column: "PAYMENT AMOUNT"
    QString text;     // as it stood in the line
    double value = 0; // as read
};

// The loose amounts of a file, in file order: the first MaxKept of them, and
// how many there were (a file of nothing else must not take the memory of
// millions).
struct LooseAmounts {
    static constexpr size_t MaxKept = 10000;
    std::vector<LooseAmount> kept;
    qint64 count = 0;

    void add(LooseAmount &&amount);
    bool isEmpty() const { return count == 0; }
};

// "Line 27: the PAYMENT AMOUNT "125.00 PRIOR YEAR" was read as 125.00".
QString LooseAmountLine(const LooseAmount &amount);

// How many of the kept amounts the information after a load lists.
inline constexpr qsizetype LooseAmountsListed = 20;

// The information after a load that read loose amounts: what was done, the
// first LooseAmountsListed of them, and "... and N more" for the rest.
QString LooselyReadAmountsMessage(const LooseAmounts &amounts);

}  // namespace zolt::payment
