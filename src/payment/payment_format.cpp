#include "payment_format.h"

#include "common/clock.h"
#include "common/errors.h"
#include "common/text_utils.h"

#include <algorithm>

namespace zolt::payment {

QString RemoveQuotes(const QString &line)
{
    if (!line.contains(u'"') && !line.contains(u'\''))
        return line;
    QString s = line;
    s.remove(u'"');
    s.remove(u'\'');
    return s;
}

LineKind ClassifyLine(const QString &line)
{
    if (line.startsWith(YearLinePrefix))
        return LineKind::YearLine;
    if (line.startsWith(MaskHeader))
        return LineKind::MaskStart;
    if (line.startsWith(GroupHeader))
        return LineKind::GroupStart;
    if (line.startsWith(DetailHeader))
        return LineKind::DetailStart;
    // A spreadsheet saves an empty row as a line of commas.
    const bool blank = std::all_of(line.begin(), line.end(), [](QChar c) { return c == u' ' || c == u','; });
    if (line.startsWith(ColumnHeadingStart) || blank)
        return LineKind::NoData;
    return LineKind::Data;
}

QString YearOfLine(const QString &line)
{
    return line.mid(19, 4);
}

bool IsAcceptedYear(const QString &year, int currentYear)
{
    if (year.size() != 4)
        return false;
    for (QChar c : year) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return year >= QStringLiteral("2000") && year <= QString::number(currentYear + 1);
}

QString AgencyFilter(const QString &mortco)
{
    return QStringLiteral("MORTCO = ") + QuoteCriteria(mortco);
}

}  // namespace zolt::payment
