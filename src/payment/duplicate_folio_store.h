#pragma once

#include <QString>
#include <QVariant>
#include <array>
#include <vector>

namespace zolt::payment {

// The duplicate payment lines a payment load refused, for the duplicate
// folios list and its printout. The count counts every duplicate line; the
// rows keep the first MaxRows of them, as many as the list shows.
struct DuplicateFolioStore {
    static constexpr int MaxRows = 200;
    static constexpr int Columns = 14;
    enum Column {
        FolioDisplay = 0, Mortco, Number, Name, Cd, Jur, Folio, GrossTax, RegGrant,
        AddGrant, Delq, Legal, Abc, Payment
    };
    using Row = std::array<QVariant, Columns>;

    bool found = false;
    qint64 count = 0;
    std::vector<Row> rows;
};

}  // namespace zolt::payment
