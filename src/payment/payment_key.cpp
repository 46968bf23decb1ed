#include "payment_key.h"

#include "common/text_utils.h"

namespace zolt::payment {

QString PaymentKey::criteria() const
{
    return QStringLiteral("MORTCO = '%1' AND CD = '%2' AND JUR = '%3' AND FOLIO = '%4' AND NAME = '%5' ")
        .arg(EscapeCriteria(mortco), EscapeCriteria(cd), EscapeCriteria(jur), EscapeCriteria(folio),
             EscapeCriteria(name));
}

}  // namespace zolt::payment
