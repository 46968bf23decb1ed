#pragma once

#include "loose_values.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zolt::payment {

// One labelled line of a payment group: "Name1:,ACME MORTGAGE". The value is
// read by position: `length` characters from just after the label's comma.
struct GroupLabel {
    QString label;     // as at the start of the line, without the comma
    QString field;     // the Group field it fills
    int length;
    bool zeroPadded;   // left-padded with zeros to four (group and agency numbers)
    bool asRead;       // taken as it stands (the due date)
};

// The labelled lines a reader takes values from, in file order.
const std::vector<GroupLabel> &GroupLabels();

// The label a line starts with, or null.
const GroupLabel *MatchGroupLabel(const QString &line);

// The value of a labelled line, cleaned as its label asks. A value longer
// than its field is cut, and noted in looseValues when given.
QString GroupLabelValue(const GroupLabel &label, const QString &line, std::vector<LooseValue> *looseValues = nullptr);

// The "PAYMENT GROUP INFORMATION" block of one group: the header and the
// fourteen labelled lines. fieldText gives a Group field's text.
QStringList GroupBlockLines(const std::function<QString(const QString &)> &fieldText, qint64 paymentCount,
                            double paymentTotal);

}  // namespace zolt::payment
