#pragma once

#include <QtGlobal>

namespace zolt {
class Recordset;
}

namespace zolt::payment {

// An agency's number of payments and their total, as its group row keeps
// them (FOLIO_CNT and TOT_PAY): the load, the save and the agencies screen
// each count with it.
struct AgencyTotal {
    qint64 count = 0;
    double sum = 0;

    void add(double payment)
    {
        ++count;
        sum += payment;
    }
};

// The total of the payments a recordset of Detail shows (as it is filtered).
AgencyTotal TotalOfPayments(const Recordset &details);

}  // namespace zolt::payment
