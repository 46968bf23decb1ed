#pragma once

#include "payment_record.h"

#include <vector>

namespace zolt::payment {

// The duplicate payment lines a payment load refused, for the duplicate
// folios list and its printout. The count counts every duplicate line; the
// rows keep the first MaxRows of them, as many as the list shows.
struct DuplicateFolioStore {
    static constexpr int MaxRows = 200;

    bool found = false;
    qint64 count = 0;
    std::vector<PaymentRecord> rows;
};

}  // namespace zolt::payment
