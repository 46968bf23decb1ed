#include "agency_total.h"

#include "store/recordset.h"

namespace zolt::payment {

AgencyTotal TotalOfPayments(const Recordset &details)
{
    AgencyTotal total;
    const int payment = details.columnIndex(QStringLiteral("PAYMENT"));
    for (qint64 row = 0; row < details.recordCount(); ++row)
        total.add(details.value(row, payment).toDouble());
    return total;
}

}  // namespace zolt::payment
