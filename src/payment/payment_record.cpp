#include "payment_record.h"

#include "store/recordset.h"

namespace zolt::payment {

QStringList PaymentFieldNames()
{
    QStringList names;
    ForEachPaymentField(PaymentRecord(), [&names](const char *name, const auto &) { names << QLatin1String(name); });
    return names;
}

void WritePayment(Recordset &details, const PaymentRecord &payment)
{
    ForEachPaymentField(payment, [&details](const char *name, const auto &value) {
        details.setField(QLatin1String(name), value);
    });
}

PaymentRecord CurrentPayment(const Recordset &details)
{
    PaymentRecord payment;
    auto text = [&details](const char *name) { return details.text(QLatin1String(name)); };
    auto number = [&details](const char *name) { return details.number(QLatin1String(name)); };
    payment.mortco = text("MORTCO");
    payment.row = DetailRow{text("NUMBER"), text("NAME"), text("CD"), text("JUR"), text("FOLIO"),
                            number("PAYMENT"), text("ABC"), number("GROSS_TAX"), number("REG_GRANT"),
                            number("ADD_GRANT"), number("DELQ"), text("LEGAL")};
    payment.folioDisplay = text("FOLIO_DISP");
    return payment;
}

}  // namespace zolt::payment
