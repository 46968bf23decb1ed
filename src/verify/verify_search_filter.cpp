#include "verify_search_filter.h"

#include "common/text_utils.h"
#include "verify_folios.h"

namespace zolt::verify {
namespace {

QString digitsOf(QStringView typed)
{
    QString digits;
    for (QChar c : typed) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits;
}

QString marksFilter(SearchMarks marks, bool includeDeleted)
{
    switch (marks) {
    case SearchMarks::All:
        return includeDeleted ? QStringLiteral("ACD <> '~' ") : QStringLiteral("ACD <> 'D' ");
    case SearchMarks::Added: return QStringLiteral("ACD = 'A' ");
    case SearchMarks::Changed: return QStringLiteral("ACD = 'C' ");
    case SearchMarks::NotChanged: return QStringLiteral("ACD = ' ' ");
    case SearchMarks::Deleted: return QStringLiteral("ACD = 'D' ");
    }
    return QString();
}

}  // namespace

const QStringList &SearchColumns()
{
    static const QStringList columns = {
        QStringLiteral("MORTCO"), QStringLiteral("NUMBER"), QStringLiteral("CD"),    QStringLiteral("JUR"),
        QStringLiteral("FOLIO"),  QStringLiteral("PID"),    QStringLiteral("NAME"),  QStringLiteral("ADDR1"),
        QStringLiteral("ADDR2"),  QStringLiteral("ADDR3"),  QStringLiteral("ADDR4"), QStringLiteral("ADDR5"),
        QStringLiteral("LEGAL")};
    return columns;
}

QString SearchFilter(const FolioSearch &search)
{
    QString filter = marksFilter(search.marks, search.includeDeleted);
    for (const QString &column : SearchColumns()) {
        const auto typed = search.ticked.constFind(column);
        if (typed == search.ticked.cend())
            continue;
        QString value = *typed;
        if (column == u"CD")
            value = CodeOf(value, 2);
        else if (column == u"JUR")
            value = CodeOf(value, 3);
        else if (value.isEmpty())
            continue;
        filter += QStringLiteral("AND %1 LIKE '%%2%' ").arg(column, LikeLiteral(value));
    }
    return filter;
}

QString SearchedFolio(QStringView typed)
{
    QString digits = digitsOf(typed);
    qsizetype zeros = 0;
    while (zeros < digits.size() && digits.at(zeros) == u'0')
        ++zeros;
    return digits.mid(zeros);
}

QString SearchedPid(QStringView typed)
{
    return digitsOf(typed);
}

QString TypedCode(const QString &comboText)
{
    const QString trimmed = TrimBlanks(comboText);
    const qsizetype blank = trimmed.indexOf(u' ');
    return blank < 0 ? trimmed : trimmed.left(blank);
}

}  // namespace zolt::verify
