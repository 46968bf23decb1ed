#include "payment_key.h"

#include "common/text_utils.h"

namespace zolt::payment {

QString PaymentKey::folioCriteria() const
{
    return QStringLiteral("MORTCO = '%1' AND CD = '%2' AND JUR = '%3' AND FOLIO = '%4' ")
        .arg(EscapeCriteria(mortco), EscapeCriteria(cd), EscapeCriteria(jur), EscapeCriteria(folio));
}

bool PaymentKey::sameOwner(const QString &otherName) const
{
    return TrimBlanks(name).toCaseFolded() == TrimBlanks(otherName).toCaseFolded();
}

FoldedKeySet::Folded PaymentKey::folded() const
{
    return FoldedKeySet::fold(
        {BlankTrimmed(mortco), BlankTrimmed(cd), BlankTrimmed(jur), BlankTrimmed(folio), BlankTrimmed(name)});
}

}  // namespace zolt::payment
