#include "csv_line.h"

#include "text_utils.h"

#include <algorithm>

namespace zolt {
namespace {

bool isComma(QChar c)
{
    return c == u',';
}

}  // namespace

QString CommaFree(QStringView value)
{
    QString s(value.size(), Qt::Uninitialized);
    s.truncate(std::remove_copy_if(value.begin(), value.end(), s.data(), isComma) - s.constData());
    return s;
}

bool HasComma(QStringView value)
{
    return std::any_of(value.begin(), value.end(), isComma);
}

QString JoinCsvLine(const QStringList &values)
{
    qsizetype size = values.size();
    for (const QString &value : values)
        size += value.size();
    QString joined(size, Qt::Uninitialized);
    QChar *out = joined.data();
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            *out++ = u',';
        out = std::remove_copy_if(values[i].begin(), values[i].end(), out, isComma);
    }
    joined.truncate(out - joined.constData());
    return StripQuotes(joined);
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
