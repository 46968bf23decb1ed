// Feeds arbitrary text to the criteria parser of recordset filters and finds.
// The first line is the criteria; the lines after it are the values of one
// row (NAME, MORTCO, PAYMENT, FOLIO, LEGAL; "NULL" for a null, a plain number
// for a number). Whatever the criteria, parsing either succeeds or throws
// ZoltError, and a parsed criteria answers for the row.
//
// The row's NAME, quoted as the program quotes a value, must come back as
// the very literal of a criteria that finds it: a value typed by a user can
// never change what a criteria means.

#include "common/errors.h"
#include "common/text_utils.h"
#include "store/criteria.h"

#include <QStringList>
#include <QVariant>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace zolt;

namespace {

const QStringList Columns = {QStringLiteral("NAME"), QStringLiteral("MORTCO"), QStringLiteral("PAYMENT"),
                             QStringLiteral("FOLIO"), QStringLiteral("LEGAL")};

std::vector<QVariant> rowOf(const QStringList &lines)
{
    std::vector<QVariant> row;
    for (qsizetype i = 0; i < Columns.size(); ++i) {
        const QString text = i + 1 < lines.size() ? lines.at(i + 1) : QString();
        bool number = false;
        const double value = text.toDouble(&number);
        if (text == u"NULL")
            row.emplace_back();
        else if (number)
            row.emplace_back(value);
        else
            row.emplace_back(text);
    }
    return row;
}

int columnOf(const QString &field)
{
    return int(Columns.indexOf(field.toUpper()));
}

void tryCriteria(const QString &text, const std::vector<QVariant> &row)
{
    try {
        Criteria criteria = Criteria::parse(text);
        criteria.bind(columnOf);
        (void)criteria.matches(row);
    } catch (const ZoltError &) {
    }
}

// NAME = <the value quoted>: one term whose literal is the value itself.
void checkQuoting(const QString &value)
{
    const QString text = QStringLiteral("NAME = ") + QuoteCriteria(value);
    Criteria criteria = Criteria::parse(text);
    if (criteria.terms().size() != 1 || criteria.terms().front().literal != QVariant(value))
        std::abort();
    criteria.bind(columnOf);
    if (!criteria.matches(std::vector<QVariant>{value, {}, {}, {}, {}}))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = input.split(u'\n');
    const std::vector<QVariant> row = rowOf(lines);
    tryCriteria(lines.front(), row);
    if (lines.size() > 1)
        checkQuoting(lines.at(1));
    return 0;
}
