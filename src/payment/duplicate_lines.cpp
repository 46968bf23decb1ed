#include "duplicate_lines.h"

#include "common/number_format.h"
#include "common/text_utils.h"
#include "payment_format.h"

#include <algorithm>

namespace zolt::payment {
namespace {

QString lineOf(const QStringList &cells)
{
    const std::vector<DuplicateColumn> &columns = DuplicateColumns();
    QStringList padded;
    for (size_t c = 0; c < columns.size(); ++c) {
        const QString &cell = cells[qsizetype(c)];
        const int width = columns[c].width;
        padded << (columns[c].alignRight ? (QString(width, u' ') + cell).right(width) : PadCut(cell, width));
    }
    return padded.join(u' ');
}

}  // namespace

const std::vector<DuplicateColumn> &DuplicateColumns()
{
    // The folio as wide as the longest mask, the amount as the largest a
    // payment file carries.
    static const std::vector<DuplicateColumn> columns = {
        {QStringLiteral("Agen"), 4}, {QStringLiteral("CD"), 2}, {QStringLiteral("JUR"), 3},
        {QStringLiteral("Folio #"), 25}, {QStringLiteral("Mortgage #"), 12}, {QStringLiteral("Name"), 25},
        {QStringLiteral("Payment Amount"), 18, true}, {QStringLiteral("Legal Description"), 32}};
    return columns;
}

QString DuplicateCountLine(qint64 count)
{
    return QStringLiteral("There are ") + FormatNumber(double(count), Mask::Count)
           + QStringLiteral(" Duplicate Folios in the file");
}

QStringList DuplicateCells(const PaymentRecord &payment)
{
    const DetailRow &r = payment.row;
    return {payment.mortco, r.cd, r.jur, payment.folioDisplay, r.number, r.name, FormatAmount(r.payment), r.legal};
}

QString DuplicateListHeading()
{
    QStringList headings;
    for (const DuplicateColumn &column : DuplicateColumns())
        headings << column.heading;
    return lineOf(headings);
}

QString DuplicateListLine(const PaymentRecord &payment)
{
    return lineOf(DuplicateCells(payment));
}

int DuplicateListedRows(const DuplicateFolioStore &store)
{
    return int(std::min(store.count, qint64(store.rows.size())));
}

QStringList DuplicateListLines(const DuplicateFolioStore &store)
{
    QStringList lines;
    const int n = DuplicateListedRows(store);
    for (int i = 0; i < n; ++i)
        lines << DuplicateListLine(store.rows[size_t(i)]);
    return lines;
}

}  // namespace zolt::payment
