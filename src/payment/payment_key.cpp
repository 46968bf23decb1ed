#include "payment_key.h"

#include "common/text_utils.h"

#include <algorithm>
#include <iterator>

namespace zolt::payment {
namespace {

bool dropped(QChar c)
{
    return c == u',' || c == u'"' || c == u'\'';
}

// The value as the saved file carries it, before its letters are folded.
QString asSaved(const QString &value)
{
    QStringView trimmed = BlankTrimmed(value);
    if (std::none_of(trimmed.begin(), trimmed.end(), dropped))
        return trimmed.size() == value.size() ? value : trimmed.toString();
    QString kept;
    std::copy_if(trimmed.begin(), trimmed.end(), std::back_inserter(kept), [](QChar c) { return !dropped(c); });
    return TrimBlanks(kept);
}

}  // namespace

QString PaymentKey::folioCriteria() const
{
    return QStringLiteral("MORTCO = '%1' AND CD = '%2' AND JUR = '%3' AND FOLIO = '%4' ")
        .arg(EscapeCriteria(mortco), EscapeCriteria(cd), EscapeCriteria(jur), EscapeCriteria(folio));
}

bool PaymentKey::sameOwner(const QString &otherName) const
{
    return asSaved(name).toCaseFolded() == asSaved(otherName).toCaseFolded();
}

FoldedKeySet::Folded PaymentKey::folded() const
{
    // Values read from a file hold none of the dropped characters: they are
    // folded where they stand.
    QString kept[5];
    auto saved = [&kept](const QString &value, int i) -> QStringView {
        const QStringView trimmed = BlankTrimmed(value);
        if (std::none_of(trimmed.begin(), trimmed.end(), dropped))
            return trimmed;
        return kept[i] = asSaved(value);
    };
    return FoldedKeySet::fold({saved(mortco, 0), saved(cd, 1), saved(jur, 2), saved(folio, 3), saved(name, 4)});
}

}  // namespace zolt::payment
