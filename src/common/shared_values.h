#pragma once

#include <QString>
#include <QVariant>
#include <array>
#include <vector>

namespace zolt {

// Duplicate payment lines found by the payment load, read by the main window
// and the duplicate folios screen. The count counts every duplicate line; the
// rows keep the first MaxRows of them.
struct DuplicateFolioStore {
    static constexpr int MaxRows = 201;
    static constexpr int Columns = 14;
    enum Column {
        FolioDisplay = 0, Mortco, Number, Name, Cd, Jur, Folio, GrossTax, RegGrant,
        AddGrant, Delq, Legal, Abc, Payment
    };
    using Row = std::array<QVariant, Columns>;

    bool found = false;
    qint64 count = 0;
    std::vector<Row> rows;

    void clear()
    {
        found = false;
        count = 0;
        rows.clear();
    }
};

// The values the screens and procedures share. One instance lives with the
// session, so tests can start from a clean set.
struct SharedValues {
    QString gFilter;        // criteria text last applied to a recordset filter
    QString gSQL;           // SQL text last given to a recordset as its source
    QVariant gBookmark;     // rsVerify bookmark kept by the change screen's Next
    QString gFindCriteria;  // criteria of the last find on a reference recordset
    QString gInfoKind;      // "CRITICAL" or "Informational"
    QString gInfoTitle;
    QString gInfoText;
    DuplicateFolioStore duplicates;

    void reset() { *this = SharedValues(); }
};

}  // namespace zolt
