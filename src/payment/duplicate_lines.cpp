#include "duplicate_lines.h"

#include "common/number_format.h"
#include "common/text_utils.h"
#include "payment_format.h"

#include <algorithm>

namespace zolt::payment {
namespace {

QString lineOf(const QStringList &cells, const std::vector<int> &widths)
{
    const std::vector<DuplicateColumn> &columns = DuplicateColumns();
    QStringList padded;
    for (size_t c = 0; c < columns.size(); ++c) {
        const QString &cell = cells[qsizetype(c)];
        const int width = widths[c];
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
        {QStringLiteral("Folio #"), 25, false, true}, {QStringLiteral("Mortgage #"), 12}, {QStringLiteral("Name"), 25},
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

std::vector<int> DuplicateColumnWidths(const DuplicateFolioStore &store)
{
    const std::vector<DuplicateColumn> &columns = DuplicateColumns();
    std::vector<int> widths;
    for (const DuplicateColumn &column : columns)
        widths.push_back(column.width);
    const int rows = DuplicateListedRows(store);
    for (int i = 0; i < rows; ++i) {
        const QStringList cells = DuplicateCells(store.rows[size_t(i)]);
        for (size_t c = 0; c < columns.size(); ++c) {
            if (columns[c].neverCut)
                widths[c] = std::max(widths[c], int(cells[qsizetype(c)].size()));
        }
    }
    return widths;
}

QString DuplicateListHeading(const DuplicateFolioStore &store)
{
    QStringList headings;
    for (const DuplicateColumn &column : DuplicateColumns())
        headings << column.heading;
    return lineOf(headings, DuplicateColumnWidths(store));
}

int DuplicateListedRows(const DuplicateFolioStore &store)
{
    return int(std::min(store.count, qint64(store.rows.size())));
}

QStringList DuplicateListLines(const DuplicateFolioStore &store)
{
    QStringList lines;
    const std::vector<int> widths = DuplicateColumnWidths(store);
    const int n = DuplicateListedRows(store);
    for (int i = 0; i < n; ++i)
        lines << lineOf(DuplicateCells(store.rows[size_t(i)]), widths);
    return lines;
}

}  // namespace zolt::payment
