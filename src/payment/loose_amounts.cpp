#include "loose_amounts.h"

#include "common/number_format.h"

namespace zolt::payment {

void LooseAmounts::add(LooseAmount &&amount)
{
    if (kept.size() < MaxKept)
        kept.push_back(std::move(amount));
    ++count;
}

QString LooseAmountLine(const LooseAmount &amount)
{
    return QStringLiteral("Line %1: the %2 \"%3\" was read as %4")
        .arg(amount.line)
        .arg(amount.column, amount.text, FormatAmount(amount.value));
}

QString LooselyReadAmountsMessage(const LooseAmounts &amounts)
{
    QString text = amounts.count == 1
                       ? QStringLiteral("1 amount of the payment file is not a plain number.")
                       : QStringLiteral("%1 amounts of the payment file are not plain numbers.").arg(amounts.count);
    text += QStringLiteral(" Each was read as the number it begins with (0 when it begins with none), and the "
                           "file will be saved with that number:\n");
    const qsizetype listed = std::min<qsizetype>(LooseAmountsListed, qsizetype(amounts.kept.size()));
    for (qsizetype i = 0; i < listed; ++i)
        text += u'\n' + LooseAmountLine(amounts.kept[size_t(i)]);
    if (amounts.count > listed)
        text += QStringLiteral("\n... and %1 more").arg(amounts.count - listed);
    return text;
}

}  // namespace zolt::payment
