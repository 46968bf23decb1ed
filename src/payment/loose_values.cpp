#include "loose_values.h"

#include "common/number_format.h"
#include "common/text_utils.h"

namespace zolt::payment {

LooseValue LooseAmount(const QString &column, QStringView text, double value)
{
    return {0, column, text.toString(), FormatAmount(value)};
}

LooseValue CutText(const QString &column, QStringView text, qsizetype kept)
{
    return {0, column, text.toString(),
            QStringLiteral("\"%1\" (its first %2 characters)").arg(text.left(kept)).arg(kept)};
}

QStringView KeptText(QStringView value, qsizetype length, const QString &column, std::vector<LooseValue> *notes)
{
    if (value.size() <= length)
        return value;
    if (notes && !BlankTrimmed(value.sliced(length)).isEmpty())
        notes->push_back(CutText(column, value, length));
    return value.left(length);
}

void LooseValues::add(LooseValue &&value)
{
    if (kept.size() < MaxKept)
        kept.push_back(std::move(value));
    ++count;
}

QString LooseValueLine(const LooseValue &value)
{
    return QStringLiteral("Line %1: the %2 \"%3\" was read as %4").arg(value.line).arg(value.column, value.text,
                                                                                          value.readAs);
}

QString LooselyReadValuesMessage(const LooseValues &values)
{
    QString text = values.count == 1
                       ? QStringLiteral("1 value of the payment file could not be read as it stands.")
                       : QStringLiteral("%1 values of the payment file could not be read as they stand.")
                             .arg(values.count);
    text += QStringLiteral(" An amount that is not a plain number was read as the number it begins with (0 when "
                           "it begins with none), a text longer than its field as its first characters; the file "
                           "will be saved so:\n");
    const qsizetype listed = std::min<qsizetype>(LooseValuesListed, qsizetype(values.kept.size()));
    for (qsizetype i = 0; i < listed; ++i)
        text += u'\n' + LooseValueLine(values.kept[size_t(i)]);
    if (values.count > listed)
        text += QStringLiteral("\n... and %1 more").arg(values.count - listed);
    return text;
}

}  // namespace zolt::payment
