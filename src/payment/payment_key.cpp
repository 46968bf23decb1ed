#include "payment_key.h"

#include "common/text_utils.h"

namespace zolt::payment {

QString PaymentKey::folded() const
{
    constexpr QChar separator(0x1F);
    QString key;
    key.reserve(mortco.size() + cd.size() + jur.size() + folio.size() + name.size() + 4);
    key.append(mortco).append(separator).append(cd).append(separator).append(jur).append(separator).append(folio)
        .append(separator).append(name);
    return std::move(key).toCaseFolded();
}

QString PaymentKey::criteria() const
{
    return QStringLiteral("MORTCO = '%1' AND CD = '%2' AND JUR = '%3' AND FOLIO = '%4' AND NAME = '%5' ")
        .arg(EscapeCriteria(mortco), EscapeCriteria(cd), EscapeCriteria(jur), EscapeCriteria(folio),
             EscapeCriteria(name));
}

}  // namespace zolt::payment
