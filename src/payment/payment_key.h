#pragma once

#include "common/folded_key_set.h"

#include <QString>

namespace zolt::payment {

// What makes a payment unique: within one agency, no two payments share the
// collection district, jurisdiction, folio and owner name. Letters compare
// without regard to case, as filters compare text and as the load
// upper-cases names, and outer blanks do not count, as the save trims the
// values: a payment stored by any part of the program can always be loaded
// back from the saved file.
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
    // The key as payments are compared by it: letters folded, outer blanks
    // dropped.
    FoldedKeySet::Folded folded() const;
};

}  // namespace zolt::payment
