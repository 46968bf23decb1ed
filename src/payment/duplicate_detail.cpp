#include "duplicate_detail.h"

#include "common/number_format.h"
#include "common/session.h"
#include "duplicate_lines.h"
#include "store/data_environment.h"

namespace zolt::payment {
namespace {

using Col = DuplicateFolioStore::Column;

double amount(const QVariant &value)
{
    return value.typeId() == QMetaType::Double ? value.toDouble() : NumericValue(value.toString());
}

void addRow(Recordset &detail, const DuplicateFolioStore::Row &row, int position)
{
    static const std::pair<const char *, Col> texts[] = {
        {"MORTCO", Col::Mortco}, {"NUMBER", Col::Number}, {"NAME", Col::Name}, {"CD", Col::Cd},
        {"JUR", Col::Jur}, {"LEGAL", Col::Legal}, {"ABC", Col::Abc}, {"FOLIO_DISP", Col::FolioDisplay}};
    static const std::pair<const char *, Col> amounts[] = {
        {"GROSS_TAX", Col::GrossTax}, {"REG_GRANT", Col::RegGrant}, {"ADD_GRANT", Col::AddGrant},
        {"DELQ", Col::Delq}, {"PAYMENT", Col::Payment}};
    detail.addNew();
    for (const auto &[field, column] : texts)
        detail.setField(QLatin1String(field), row[column].toString());
    for (const auto &[field, column] : amounts)
        detail.setField(QLatin1String(field), amount(row[column]));
    detail.setField(QStringLiteral("FOLIO"), QString::number(position));
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
        session.de.Zolt().execute(QStringLiteral("DELETE FROM Detail"));
        transaction.commit();
        detail.requery();
        session.ui.letEventsRun();
    }
    const int rows = DuplicateListedRows(store);
    for (int i = 0; i < rows; ++i)
        addRow(detail, store.rows[size_t(i)], i);
}

}  // namespace zolt::payment
