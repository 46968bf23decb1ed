#pragma once

#include "duplicate_folio_store.h"
#include "loose_values.h"

#include <QString>

namespace zolt {
struct Session;
}

namespace zolt::payment {

// What a payment load found.
struct PaymentLoadResult {
    enum class Outcome {
        Loaded,       // the tables hold the file; duplicates may have been refused
        Failed,       // a missing file, or an error the load reported
        YearRefused,  // the first line's year is not accepted: nothing was read
        NoYear,       // the file has no year line: nothing was kept
        NoPayments,   // no payment group and no payment, and EmptyFile::Refuse
    };
    Outcome outcome = Outcome::Failed;
    QString fileYear;  // the year a first year line gives, accepted or not
    qint64 groups = 0;
    qint64 payments = 0;
    DuplicateFolioStore duplicates;  // the payment lines refused as duplicates
    LooseValues looseValues;         // values read otherwise than they stand

    bool loaded() const { return outcome == Outcome::Loaded; }
};

// Whether a file without payment groups or payments counts as loaded.
enum class EmptyFile { Accept, Refuse };

// Loads a payment file into Group, Detail and Fol_Mask (emptied first) and the
// data year into ZoltSystem. The whole load is one transaction: unless the
// outcome is Loaded, the tables keep what they held. Reports its own errors
// (the outcome is then Failed); a missing file fails without a word, and the
// other outcomes are for the caller to report. Duplicate payments are
// refused and counted: the load still succeeds. Amounts that are not plain
// numbers are read as the number they begin with and listed in
// looseValues with texts cut to their fields, for the caller to tell
// (LooselyReadValuesMessage). Then
// ShowPaymentLoad.
PaymentLoadResult Csv2Mdb(Session &session, const QString &path, EmptyFile emptyFile = EmptyFile::Accept);

// What the payment screens expect after a successful load: the groups on
// their first row, the details and the masks read anew (the details in their
// source's order, the order the payments list shows).
void ShowPaymentLoad(Session &session, const PaymentLoadResult &result);

}  // namespace zolt::payment
