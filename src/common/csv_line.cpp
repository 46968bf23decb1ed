#include "csv_line.h"

#include "text_utils.h"

namespace zolt {

QString JoinCsvLine(const QStringList &values)
{
    QStringList cleaned;
    cleaned.reserve(values.size());
    for (const QString &value : values)
        cleaned << QString(value).remove(u',');
    return StripQuotes(cleaned.join(u','));
}

std::vector<QStringView> SplitCsvLine(QStringView line, int count, QStringView *rest)
{
    std::vector<QStringView> values(size_t(std::max(count, 0)));
    qsizetype from = 0;
    for (QStringView &value : values) {
        if (from >= line.size())
            break;
        const qsizetype comma = line.indexOf(u',', from);
        const qsizetype end = comma < 0 ? line.size() : comma;
        value = line.sliced(from, end - from);
        from = comma < 0 ? line.size() : comma + 1;
    }
    if (rest)
        *rest = line.sliced(std::min(from, line.size()));
    return values;
}

}  // namespace zolt
