#include "detail_line.h"

#include "common/errors.h"
#include "common/number_format.h"
#include "common/text_utils.h"
#include "common/windows1252.h"
#include "folio_mask.h"
#include "payment_format.h"

#include <QRegularExpression>
#include <cmath>

namespace zolt::payment {
namespace {

const char *const Headings[DetailValueCount] = {
    "MORTGAGE NUMBER", "NAME OF OWNER", "COLLECTION DISTRICT", "JURISDICTION", "FOLIO NUMBER",
    "PAYMENT AMOUNT", "PAYMENT TYPE A/B/C", "(A) - GROSS TAX", "(B) - REGULAR GRANT",
    "(C) - ADDITIONAL GRANT", "DELINQUENT/CREDIT AMOUNT", "LEGAL DESCRIPTION"};

[[noreturn]] void refuse(const QString &why)
{
    throw ZoltError(ErrorNumber::BadFileFormat, why);
}

QString dropHash(const QString &text)
{
    return text.startsWith(u'#') ? text.mid(1) : text;
}

// An empty amount is 0; anything else must be a plain number, or its value
// would be guessed.
double amount(const QString &text, int index)
{
    static const QRegularExpression plain(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString t = TrimBlanks(text);
    if (t.isEmpty())
        return 0;
    if (!plain.match(t).hasMatch())
        refuse(QStringLiteral("the %1 \"%2\" is not an amount").arg(QLatin1String(Headings[index]), t));
    const double v = t.toDouble();
    if (!std::isfinite(v) || std::fabs(v) >= 1e15)
        refuse(QStringLiteral("the %1 \"%2\" is too large").arg(QLatin1String(Headings[index]), t));
    return v + 0.0;
}

QString folio(const QString &text)
{
    QString digits = dropHash(text);
    digits.removeIf([](QChar c) { return c < u'0' || c > u'9'; });
    const QString significant = TrimLeftChar(digits, QStringLiteral("0"));
    if (significant.size() > 18)
        refuse(QStringLiteral("the FOLIO NUMBER \"%1\" has more than 18 digits").arg(text));
    return StoredFolio(digits);
}

// A number in the type column means an amount with a thousands separator
// pushed the values along.
QString paymentType(const QString &text)
{
    if (IsNumeric(text))
        refuse(QStringLiteral("the PAYMENT TYPE A/B/C \"%1\" is a number (an amount written with a thousands "
                              "separator?)").arg(TrimBlanks(text)));
    const QString t = TrimBlanks(ToUpperWindows1252(text)).left(1);
    return (t == u"A" || t == u"B" || t == u"C") ? t : QStringLiteral("A");
}

}  // namespace

QStringList SplitDetailLine(const QString &line, QString *rest)
{
    QStringList values;
    values.reserve(DetailValueCount);
    qsizetype from = 0;
    for (int i = 0; i < DetailValueCount; ++i) {
        if (from >= line.size()) {
            values << QString();
            continue;
        }
        const qsizetype comma = line.indexOf(u',', from);
        const qsizetype end = comma < 0 ? line.size() : comma;
        values << line.mid(from, end - from);
        from = comma < 0 ? line.size() : comma + 1;
    }
    if (rest)
        *rest = line.mid(from);
    return values;
}

DetailRow ParseDetailLine(const QString &line)
{
    QString rest;
    const QStringList v = SplitDetailLine(line, &rest);
    if (!QString(rest).remove(u',').trimmed().isEmpty())
        refuse(QStringLiteral("the line has more than %1 values (a value with a comma in it?)")
                   .arg(DetailValueCount));
    DetailRow row;
    row.number = ToUpperWindows1252(dropHash(v[0])).left(12);
    row.name = ToUpperWindows1252(v[1]).left(25);
    row.cd = (u'0' + v[2]).right(2);
    row.jur = v[3].left(3);
    row.folio = folio(v[4]);
    row.payment = amount(v[5], 5);
    row.abc = paymentType(v[6]);
    row.grossTax = amount(v[7], 7);
    row.regGrant = amount(v[8], 8);
    row.addGrant = amount(v[9], 9);
    row.delq = amount(v[10], 10);
    row.legal = v[11].left(32);
    return row;
}

QString CleanDetailText(const QString &text)
{
    QString s = text;
    s.remove(u',');
    return s;
}

QString DetailLineText(const DetailRow &row, const QString &folioDisplay)
{
    const QStringList values = {
        u'#' + TrimBlanks(row.number), TrimBlanks(row.name), TrimBlanks(row.cd), TrimBlanks(row.jur),
        u'#' + TrimBlanks(CleanDetailText(folioDisplay)), FormatFileAmount(row.payment), TrimBlanks(row.abc),
        FormatFileAmount(row.grossTax), FormatFileAmount(row.regGrant), FormatFileAmount(row.addGrant),
        FormatFileAmount(row.delq), TrimBlanks(row.legal)};
    return StripQuotes(values.join(u','));
}

}  // namespace zolt::payment
