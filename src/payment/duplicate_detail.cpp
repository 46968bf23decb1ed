#include "duplicate_detail.h"

#include "common/number_format.h"
#include "common/session.h"
#include "duplicate_lines.h"
#include "store/data_environment.h"

namespace zolt::payment {
namespace {

// A listed duplicate as a Detail row; its FOLIO is its position in the list.
void addRow(Recordset &detail, const PaymentRecord &duplicate, int position)
{
    PaymentRecord payment = duplicate;
    payment.row.folio = QString::number(position);
    detail.addNew();
    WritePayment(detail, payment);
    detail.move(0);
}

}  // namespace

void FillDetailWithDuplicates(Session &session, const DuplicateFolioStore &store)
{
    Recordset &detail = session.de.rsDetail();
    detail.ensureOpen();
    detail.clearFilter();
    if (detail.recordCount() > 0) {
        Transaction transaction(session.de.Zolt());
        session.de.Zolt().emptyTable(QStringLiteral("Detail"));
        transaction.commit();
        detail.requery();
        session.ui.letEventsRun();
    }
    const int rows = DuplicateListedRows(store);
    for (int i = 0; i < rows; ++i)
        addRow(detail, store.rows[size_t(i)], i);
}

}  // namespace zolt::payment
