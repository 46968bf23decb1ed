#pragma once

#include "detail_line.h"

#include <QString>
#include <QStringList>

namespace zolt {
class Recordset;
}

namespace zolt::payment {

// A payment as a row of Detail holds it: its agency, the values of its
// detail line and its folio in display form.
struct PaymentRecord {
    QString mortco;
    DetailRow row;
    QString folioDisplay;
};

// Hands each field of a Detail row, with the record's value of it, to
// `field(name, value)`, the value a const QString & or a double; always in
// the order of PaymentFieldNames. The one list of what a payment row holds:
// the load, the entry screens and the duplicates list write through it.
template <typename Field>
void ForEachPaymentField(const PaymentRecord &p, Field &&field)
{
    const DetailRow &r = p.row;
    field("MORTCO", p.mortco);
    field("NUMBER", r.number);
    field("NAME", r.name);
    field("CD", r.cd);
    field("JUR", r.jur);
    field("FOLIO", r.folio);
    field("GROSS_TAX", r.grossTax);
    field("REG_GRANT", r.regGrant);
    field("ADD_GRANT", r.addGrant);
    field("DELQ", r.delq);
    field("LEGAL", r.legal);
    field("ABC", r.abc);
    field("PAYMENT", r.payment);
    field("FOLIO_DISP", p.folioDisplay);
}

QStringList PaymentFieldNames();

// Writes the payment into the current row of a recordset of Detail, a row
// being added or one being changed.
void WritePayment(Recordset &details, const PaymentRecord &payment);

// The payment the current row of a recordset of Detail holds.
PaymentRecord CurrentPayment(const Recordset &details);

}  // namespace zolt::payment
