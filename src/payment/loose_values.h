#pragma once

#include <QString>
#include <vector>

namespace zolt::payment {

// A value of a payment file read otherwise than it stands, as the file's
// reader reads it: an amount that is not a plain number ("125.00 PRIOR
// YEAR", "abc") as the number it begins with (0 when none), a text longer
// than its field as its first characters.
struct LooseValue {
    qint64 line = 0;  // in the file, from 1
    QString column;   // its heading or label: "PAYMENT AMOUNT", "Name1:"
    QString text;     // as it stood in the line
    QString readAs;   // what was read: "125.00", "\"SMITH JOH\" (its first 9 characters)"
};

// An amount read as `value`; a text cut to its first `kept` characters.
LooseValue LooseAmount(const QString &column, QStringView text, double value);
LooseValue CutText(const QString &column, QStringView text, qsizetype kept);

// The first `length` characters of a value, the rest noted in `notes` when
// it holds more than blanks.
QStringView KeptText(QStringView value, qsizetype length, const QString &column, std::vector<LooseValue> *notes);

// The loose values of a file, in file order: the first MaxKept of them, and
// how many there were (a file of nothing else must not take the memory of
// millions).
struct LooseValues {
    static constexpr size_t MaxKept = 10000;
    std::vector<LooseValue> kept;
    qint64 count = 0;

    void add(LooseValue &&value);
    bool isEmpty() const { return count == 0; }
};

// "Line 27: the PAYMENT AMOUNT "125.00 PRIOR YEAR" was read as 125.00".
QString LooseValueLine(const LooseValue &value);

// How many of the kept values the information after a load lists.
inline constexpr qsizetype LooseValuesListed = 20;

// The information after a load that read values otherwise than they stand:
// what was done, the first LooseValuesListed of them, and "... and N more"
// for the rest.
QString LooselyReadValuesMessage(const LooseValues &values);

}  // namespace zolt::payment
