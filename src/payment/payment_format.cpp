#include "payment_format.h"

#include "common/errors.h"
#include "common/number_format.h"
#include "common/text_utils.h"

#include <QDate>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

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
        return LineKind::Year;
    if (line.startsWith(MaskHeader))
        return LineKind::MaskHeader;
    if (line.startsWith(GroupHeader))
        return LineKind::GroupHeader;
    if (line.startsWith(DetailHeader))
        return LineKind::DetailHeader;
    const bool blank = std::all_of(line.begin(), line.end(), [](QChar c) { return c == u' '; });
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

QString TrapMessage(const QString &procedure, const std::exception &error, const QString &step)
{
    const auto *zolt = dynamic_cast<const ZoltError *>(&error);
    const int number = zolt ? zolt->number() : ErrorNumber::FileAccess;
    const QString description = zolt ? zolt->description() : QString::fromLocal8Bit(error.what());
    return procedure + QStringLiteral(" Unexpected error #") + NumberWithSignPlace(number) + QStringLiteral(" Debug (")
           + step + QStringLiteral(")") + QStringLiteral(" occurred: ") + description;
}

int CurrentYear()
{
    return QDate::currentDate().year();
}

// The same digits as FormatNumber(value, Mask::Amount): the value's 15
// significant digits rounded half away from zero to two places, no "-0.00".
// Done on a character buffer, as a save formats half a million amounts.
QString FormatFileAmount(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return TrimBlanks(FormatNumber(value, Mask::Amount));
    char sci[32];
    const auto end = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 14).ptr;
    const char *e = std::find(sci, end, 'e');
    const int exponent = std::atoi(e + 1);
    // Digits with the point after place `exponent`, widened with zeros so
    // that two decimals and the rounding digit exist.
    char digits[64];
    int n = 0;
    const int lead = exponent < 0 ? -exponent : 0;
    for (int i = 0; i < lead; ++i)
        digits[n++] = '0';
    for (const char *p = sci; p < e; ++p) {
        if (*p != '.')
            digits[n++] = *p;
    }
    const int point = exponent < 0 ? 1 : exponent + 1;
    while (n < point + 3)
        digits[n++] = '0';
    int keep = point + 2;
    bool carry = digits[keep] >= '5';
    for (int i = keep - 1; carry && i >= 0; --i) {
        carry = digits[i] == '9';
        digits[i] = carry ? '0' : char(digits[i] + 1);
    }
    QString out;
    out.reserve(keep + 3);
    int first = 0;
    while (!carry && first < point - 1 && digits[first] == '0')
        ++first;
    const bool zero = !carry && std::all_of(digits, digits + keep, [](char c) { return c == '0'; });
    if (value < 0 && !zero)
        out += u'-';
    if (carry)
        out += u'1';
    for (int i = first; i < keep; ++i) {
        if (i == point)
            out += u'.';
        out += QLatin1Char(digits[i]);
    }
    return out;
}

}  // namespace zolt::payment
