#include "mask_line.h"

#include "common/errors.h"
#include "common/number_format.h"
#include "common/text_utils.h"

#include <algorithm>

namespace zolt::payment {
namespace {

QString commaFreeHead(const QString &line)
{
    QString head = line.left(30);
    head.remove(u',');
    return head;
}

}  // namespace

std::optional<MaskLine> ParseMaskLine(const QString &line)
{
    const QString head = commaFreeHead(line);
    if (!head.mid(5).contains(u'#'))
        return std::nullopt;
    const QString mask = TrimBlanks(head.mid(5));
    // A folio is read back from its display form by its digits.
    if (std::any_of(mask.begin(), mask.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        throw ZoltError(ErrorNumber::BadFileFormat,
                        QStringLiteral("the FOLIO MASK \"%1\" holds digits, which the saved file would read back as "
                                       "part of every folio of jurisdiction %2")
                            .arg(mask, head.left(3)));
    return MaskLine{head.left(3), int(NumericValue(head.mid(3, 2))), mask};
}

QString MaskLineText(const QString &jurCd, const QString &folioLength, const QString &mask)
{
    return jurCd + (QStringLiteral("00") + TrimBlanks(folioLength)).right(2) + mask;
}

}  // namespace zolt::payment
