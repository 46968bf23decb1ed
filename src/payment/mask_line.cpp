#include "mask_line.h"

#include "common/number_format.h"
#include "common/text_utils.h"

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
    return MaskLine{head.left(3), int(NumericValue(head.mid(3, 2))), TrimBlanks(head.mid(5))};
}

QString MaskLineText(const QString &jurCd, const QString &folioLength, const QString &mask)
{
    return jurCd + (QStringLiteral("00") + TrimBlanks(folioLength)).right(2) + mask;
}

}  // namespace zolt::payment
