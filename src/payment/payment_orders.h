#pragma once

#include <QString>
#include <vector>

namespace zolt::payment {

// An order the payments list offers: its option, its caption and the
// fields it sorts by, each order beginning with the agency.
struct PaymentOrder {
    const char *option;  // the option's object name
    QString caption;
    QString orderBy;     // "MORTCO, NAME"
};

// The four orders; the first is the order rsDetail is made in.
const std::vector<PaymentOrder> &PaymentOrders();

// The source of rsDetail that lists the payments in the order (gSQL).
QString PaymentListSource(const PaymentOrder &order);

// The order a source of rsDetail lists the payments in; the first when it is
// none of them.
const PaymentOrder &OrderOfSource(const QString &source);

// The source of one agency's payments in the first order (the search's).
QString AgencyPaymentsSource(const QString &mortco);

}  // namespace zolt::payment
