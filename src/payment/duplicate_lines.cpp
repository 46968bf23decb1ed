#include "duplicate_lines.h"

#include "common/number_format.h"
#include "common/text_utils.h"
#include "payment_format.h"

#include <algorithm>

namespace zolt::payment {
namespace {

using Col = DuplicateFolioStore::Column;

QString text(const DuplicateFolioStore::Row &row, Col column)
{
    return row[column].toString();
}

// Amounts are kept as numbers and shown as the file writes them.
QString amountText(const QVariant &value)
{
    return value.typeId() == QMetaType::Double ? FormatAmount(value.toDouble()) : value.toString();
}

}  // namespace

QString DuplicateCountLine(qint64 count)
{
    return QStringLiteral("There are ") + FormatNumber(double(count), Mask::Count)
           + QStringLiteral(" Duplicate Folios in the file");
}

QString DuplicateListLine(const DuplicateFolioStore::Row &row)
{
    const QString payment = RepeatText(QStringLiteral(" "), 10) + amountText(row[Col::Payment]);
    return text(row, Col::Mortco) + u' ' + text(row, Col::Cd) + u' ' + text(row, Col::Jur) + u' '
           + text(row, Col::FolioDisplay) + u' ' + PadCut(text(row, Col::Name), 25) + u' ' + payment.right(10)
           + u' ' + PadCut(text(row, Col::Legal), 32) + u' ';
}

int DuplicateListedRows(const DuplicateFolioStore &store)
{
    return int(std::min<qint64>({store.count, qint64(store.rows.size()), DuplicateListLimit}));
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
