#pragma once

#include "payment_key.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace zolt {
struct Session;
class Recordset;
}

namespace zolt::payment {

// The folio key of a typed folio: its digits in order after eighteen zeros,
// the rightmost eighteen kept; the empty text for an empty field.
QString TypedFolioKey(const QString &typed);

// What a new or changed payment meets on its folio among the agency's other
// payments.
struct FolioCheck {
    bool sameOwner = false;  // a payment of the same owner is there: refused
    bool tellUser = false;   // the user is shown the payments listed
    bool onOthersFolio = false;  // a changed payment was moved onto another payment's folio
    QStringList listed;      // "NAME 12.50" of each payment listed
};

// Looks through the agency's payments in `details` on the folio of `payment`
// (filtering a cursor of its own; the filter is left in gFilter). `changing`
// is the bookmark of the payment being changed, null for a new one. A new
// payment lists every payment there; a changed one is not compared with
// itself, and lists the others. Owners compare as the duplicate rule says.
FolioCheck CheckFolio(Session &session, const Recordset &details, const PaymentKey &payment, const QVariant &changing);

// The information dialog's title and text about the payments on a folio,
// ending with the payment being saved ("Plus this new payment " or "Plus
// this changed payment ").
struct FolioInfo {
    QString title;
    QString text;
};
FolioInfo FolioPaymentsInfo(Session &session, const PaymentKey &payment, const FolioCheck &check, bool adding,
                            const QString &paymentText);

// A typed payment amount as stored: "###################0.00" of the text.
double StoredPaymentAmount(const QString &typed);

// What is wrong with a typed payment amount, as the payment field says it;
// empty when it can be stored. It must be a number of at least 0, and one
// the payment file carries back as it is: below 10^15, with at most 15
// significant digits to the cent.
QString PaymentAmountProblem(const QString &typed);

}  // namespace zolt::payment
