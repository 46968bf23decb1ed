#include "loose_values.h"

#include "text_utils.h"

namespace zolt {

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

QString LooseValueLine(const LooseValue &value, const QString &where)
{
    return QStringLiteral("%1 %2: the %3 \"%4\" was read as %5")
        .arg(where)
        .arg(value.line)
        .arg(value.column, value.text, value.readAs);
}

QString ListedLooseValues(const LooseValues &values, const QString &where)
{
    QString text;
    const qsizetype listed = std::min<qsizetype>(LooseValuesListed, qsizetype(values.kept.size()));
    for (qsizetype i = 0; i < listed; ++i)
        text += u'\n' + LooseValueLine(values.kept[size_t(i)], where);
    if (values.count > listed)
        text += QStringLiteral("\n... and %1 more").arg(values.count - listed);
    return text;
}

}  // namespace zolt
