#include "verify_folios.h"

#include "common/number_format.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "payment/folio_mask.h"
#include "store/recordset.h"

namespace zolt::verify {
namespace {

// The fields RememberedFolio compares, in that order.
const char *const RememberedFields[] = {"ACD",  "MORTCO", "NUMBER", "CD",    "JUR",   "FOLIO", "NAME",
                                        "ADDR1", "ADDR2", "ADDR3", "ADDR4", "ADDR5", "LEGAL"};

QString markCriteria(bool deleted)
{
    return deleted ? QStringLiteral("AND ACD = 'D' ") : QStringLiteral("AND ACD <> 'D' ");
}

}  // namespace

const QHash<QString, QString> &MarkWords()
{
    static const QHash<QString, QString> words = {{Mark::Added, QStringLiteral("Add")},
                                                  {Mark::Changed, QStringLiteral("Change")},
                                                  {Mark::Deleted, QStringLiteral("Delete")},
                                                  {Mark::None, QStringLiteral(" ")}};
    return words;
}

MarkCounts CountMarks(const Recordset &folios)
{
    MarkCounts counts;
    const int acd = folios.columnIndex(QStringLiteral("ACD"));
    for (qint64 row = 0; row < folios.recordCount(); ++row) {
        const QString mark = folios.value(row, acd).toString();
        ++(mark == Mark::Added     ? counts.added
           : mark == Mark::Changed ? counts.changed
           : mark == Mark::Deleted ? counts.deleted
                                   : counts.unchanged);
    }
    return counts;
}

QString LoadedFoliosLine(const MarkCounts &counts)
{
    auto n = [](qint64 value) { return FormatNumber(double(value), Mask::Count); };
    return QStringLiteral("%1 folios loaded: %2 added, %3 changed, %4 marked for deletion, %5 without a mark")
        .arg(n(counts.total()), n(counts.added), n(counts.changed), n(counts.deleted), n(counts.unchanged));
}

QString NormalisedFolio(QStringView typed)
{
    QString digits(18, u'0');
    for (QChar c : typed) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits.right(18);
}

bool IsNoFolio(const QString &folio)
{
    return folio == QString(18, u'0');
}

QString FixedFolioDisplay(const QString &folio)
{
    const QString digits = folio.right(18);
    const qsizetype point = std::max<qsizetype>(digits.size() - 3, 0);
    QString shown = digits.left(point) + u'.' + digits.mid(point);
    qsizetype zeros = 0;
    while (zeros < shown.size() && shown.at(zeros) == u'0')
        ++zeros;
    return shown.mid(zeros);
}

QString ListedFolio(Session &session, const Recordset &folios, qint64 row, const QString &folio)
{
    // A folio known by its PID alone has none to show.
    if (TrimBlanks(folio).isEmpty())
        return folio;
    if (row >= 0 && row < folios.recordCount()
        && folios.value(row, folios.columnIndex(QStringLiteral("FOLIO"))).toString() == folio)
        return payment::FormatFolio(session, folios.value(row, folios.columnIndex(QStringLiteral("JUR"))).toString(),
                                    folio);
    return FixedFolioDisplay(folio);
}

QString CodeOf(const QString &comboText, int length)
{
    return TrimBlanks(comboText).left(length).leftJustified(length, u' ');
}

namespace {

bool codeWithin(const QString &code, int low, int high)
{
    const QString trimmed = TrimBlanks(code);
    if (trimmed.isEmpty())
        return true;
    if (!IsNumeric(trimmed))
        return false;
    const double value = NumericTextValue(trimmed);
    return value >= low && value <= high;
}

}  // namespace

bool IsValidDistrict(const QString &code)
{
    return codeWithin(code, 1, 99);
}

bool IsValidJurisdiction(const QString &code)
{
    return codeWithin(code, 701, 799);
}

QString FolioCriteria(const QString &jur, const QString &folio, bool deleted)
{
    return QStringLiteral("JUR = %1 AND FOLIO = %2 ").arg(QuoteCriteria(jur), QuoteCriteria(folio))
           + markCriteria(deleted);
}

QString PidCriteria(const QString &pid, bool deleted)
{
    return QStringLiteral("PID = %1 ").arg(QuoteCriteria(pid)) + markCriteria(deleted);
}

QString ActiveNumberCriteria(const QString &number)
{
    return QStringLiteral("NUMBER = %1 ").arg(QuoteCriteria(number)) + markCriteria(false);
}

QString SeeFolioNote(const QString &lead, const Recordset &folios, bool withPid)
{
    QString note = lead + folios.text(QStringLiteral("CD")) + u' ' + folios.text(QStringLiteral("JUR")) + u' '
                   + FixedFolioDisplay(folios.text(QStringLiteral("FOLIO"))) + u' ';
    if (withPid)
        note += folios.text(QStringLiteral("PID")) + u' ';
    return note + folios.text(QStringLiteral("NAME"));
}

std::optional<QString> FindFolio(Session &session, Recordset &clone, const QString &criteria, const QString &lead,
                                 bool withPid)
{
    session.shared.gFilter = criteria;
    clone.setFilter(criteria);
    std::optional<QString> note;
    if (clone.recordCount() > 0) {
        clone.moveFirst();
        note = SeeFolioNote(lead, clone, withPid);
    }
    clone.clearFilter();
    return note;
}

std::optional<RememberedFolio> RememberedFolio::of(const Recordset &folios)
{
    if (!folios.isOpen() || folios.position() < 0)
        return std::nullopt;
    RememberedFolio remembered;
    for (const char *field : RememberedFields)
        remembered.m_values << folios.text(QLatin1String(field));
    return remembered;
}

qint64 RememberedFolio::rowIn(const Recordset &folios) const
{
    std::vector<int> columns;
    for (const char *field : RememberedFields)
        columns.push_back(folios.columnIndex(QLatin1String(field)));
    // The number first: it tells most rows apart at once.
    for (qint64 row = 0; row < folios.recordCount(); ++row) {
        if (folios.value(row, columns[2]).toString() != m_values[2])
            continue;
        bool same = true;
        for (size_t c = 0; c < columns.size() && same; ++c)
            same = folios.value(row, columns[c]).toString() == m_values[qsizetype(c)];
        if (same)
            return row;
    }
    return -1;
}

}  // namespace zolt::verify
