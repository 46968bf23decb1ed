#pragma once

#include "common/folded_key_set.h"

#include <QString>

namespace zolt::payment {

// What makes a payment unique: within one agency, no two payments share the
// collection district, jurisdiction, folio and owner name. The values
// compare as the saved file carries them: letters without regard to case
// (filters compare text so, and the load upper-cases names), without outer
// blanks (the save trims values), commas (the save removes them) and quotes
// and apostrophes (the file's reader deletes them: D'SOUZA comes back as
// DSOUZA). So a payment stored by any part of the program can always be
// loaded back from the saved file.
struct PaymentKey {
    QString mortco;
    QString cd;
    QString jur;
    QString folio;
    QString name;

    // The criteria of every payment of the agency on the same folio, whatever
    // the owner: the same without the name.
    QString folioCriteria() const;
    // Whether two payments on one folio are one owner's.
    bool sameOwner(const QString &otherName) const;
    // The key as payments are compared by it.
    FoldedKeySet::Folded folded() const;
};

}  // namespace zolt::payment
