#pragma once

#include <QString>
#include <vector>

namespace zolt {

// A value of an input file read otherwise than it stands: a text longer
// than its field as its first characters, an amount that is not a plain
// number as the number it begins with.
struct LooseValue {
    qint64 line = 0;  // its line or row in the file, from 1
    QString column;   // its heading or label: "PAYMENT AMOUNT", "Name1:", "NAME"
    QString text;     // as it stood in the file
    QString readAs;   // what was read: "125.00", "\"SMITH JOH\" (its first 9 characters)"
};

// A text cut to its first `kept` characters.
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

// "Line 27: the PAYMENT AMOUNT "125.00 PRIOR YEAR" was read as 125.00";
// `where` names the place ("Line", "Row").
QString LooseValueLine(const LooseValue &value, const QString &where = QStringLiteral("Line"));

// How many of the kept values the information after a load lists.
inline constexpr qsizetype LooseValuesListed = 20;

// The first LooseValuesListed of the values, a line each after a line
// break, and "... and N more" for the rest.
QString ListedLooseValues(const LooseValues &values, const QString &where = QStringLiteral("Line"));

}  // namespace zolt
