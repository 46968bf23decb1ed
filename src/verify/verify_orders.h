#pragma once

#include <QString>
#include <vector>

namespace zolt::verify {

// An order the verification list offers, as its option and as its View
// menu item, and the fields it sorts VERIFY by.
struct VerifyOrder {
    const char *option;      // the option's object name
    QString caption;
    QString tip;             // the option's tooltip, where it has one
    const char *menuItem;    // the View menu item's object name
    QString menuCaption;
    QString orderBy;         // "MORTCO, NUMBER"
};

// The nine orders; the first is the order rsVerify is made in.
const std::vector<VerifyOrder> &VerifyOrders();

// The source of rsVerify that lists the folios in the order (SortSql).
QString VerifyListSource(const VerifyOrder &order);

}  // namespace zolt::verify
