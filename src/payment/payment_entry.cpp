#include "payment_entry.h"

#include "common/number_format.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "folio_mask.h"
#include "store/recordset.h"

namespace zolt::payment {
namespace {

QString listedLine(const Recordset &rows, qint64 row, int name, int amount)
{
    return TrimBlanks(rows.value(row, name).toString()) + u' ' + FormatAmount(rows.value(row, amount).toDouble());
}

}  // namespace

QString TypedFolioKey(const QString &typed)
{
    const QString text = TrimBlanks(typed);
    if (text.isEmpty())
        return QString();
    QString digits = RepeatText(QStringLiteral("0"), 18);
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits.right(18);
}

FolioCheck CheckFolio(Session &session, const Recordset &details, const PaymentKey &payment, const QVariant &changing)
{
    FolioCheck check;
    if (details.recordCount() == 0)
        return check;
    const std::unique_ptr<Recordset> rows = details.clone();
    session.shared.gFilter = payment.folioCriteria();
    rows->setFilter(session.shared.gFilter);
    const int name = rows->columnIndex(QStringLiteral("NAME"));
    const int amount = rows->columnIndex(QStringLiteral("PAYMENT"));
    const qint64 count = rows->recordCount();
    auto isChanging = [&](qint64 row) { return !changing.isNull() && rows->bookmarkOfRow(row) == changing; };
    if (changing.isNull() || count == 1) {
        // A new payment, or a changed one alone on the folio or moved onto
        // another payment's folio: every other payment there is listed.
        if (count == 1 && isChanging(0))
            return check;
        check.onOthersFolio = !changing.isNull();
        for (qint64 row = 0; row < count; ++row) {
            check.sameOwner = check.sameOwner || payment.sameOwner(rows->value(row, name).toString());
            check.listed << listedLine(*rows, row, name, amount);
        }
        check.tellUser = count > 0 && !check.sameOwner;
        return check;
    }
    // Several payments on the folio: one of the same owner that is not the
    // one being changed is refused; the owner's own is not listed.
    for (qint64 row = 0; row < count; ++row) {
        if (payment.sameOwner(rows->value(row, name).toString())) {
            check.sameOwner = check.sameOwner || !isChanging(row);
            continue;
        }
        check.listed << listedLine(*rows, row, name, amount);
    }
    check.tellUser = count > 0 && !check.sameOwner;
    return check;
}

FolioInfo FolioPaymentsInfo(Session &session, const PaymentKey &payment, const FolioCheck &check, bool adding,
                            const QString &paymentText)
{
    const QString lineBreak = QStringLiteral("\r\n");
    FolioInfo info;
    info.title = QStringLiteral("FOLIO # ") + payment.cd + u' ' + payment.jur + u' '
                 + FormatFolio(session, payment.jur, payment.folio);
    info.text = QStringLiteral("This folio has multiple payments: ");
    for (const QString &line : check.listed)
        info.text += lineBreak + line;
    info.text += lineBreak + lineBreak
                 + (adding ? QStringLiteral("Plus this new payment ") : QStringLiteral("Plus this changed payment "))
                 + lineBreak + TrimBlanks(payment.name) + u' ' + FormatAmount(StoredPaymentAmount(paymentText));
    return info;
}

double StoredPaymentAmount(const QString &typed)
{
    return NumericTextValue(FormatText(TrimBlanks(typed), Mask::Amount20));
}

QString PaymentAmountProblem(const QString &typed)
{
    if (!IsNumeric(typed))
        return QStringLiteral("The Payment Amount must be numeric!");
    // The value as typed: the stored one has been through the amount format,
    // which rounds away the digits too many.
    const double value = NumericTextValue(TrimBlanks(typed));
    if (value < 0)
        return QStringLiteral("Payment refunds are not allowed!");
    if (value >= 1e15)
        return QStringLiteral("The Payment Amount is too large: the payment file carries amounts below "
                              "1,000,000,000,000,000.00.");
    if (!FormatAmountKeepsValue(value))
        return QStringLiteral("The Payment Amount would be saved as %1: the payment file keeps at most 15 "
                              "significant digits.")
            .arg(FormatAmount(value));
    return QString();
}

}  // namespace zolt::payment
