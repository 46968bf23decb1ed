#include "detail_line.h"

#include "common/csv_line.h"
#include "common/errors.h"
#include "common/number_format.h"
#include "common/text_utils.h"
#include "common/windows1252.h"
#include "folio_mask.h"
#include "payment_format.h"

#include <QVarLengthArray>
#include <charconv>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

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

QStringView dropHash(QStringView text)
{
    return text.startsWith(u'#') ? text.sliced(1) : text;
}

// The power of ten of a plain number's first significant digit: 2 for
// "123.4", -3 for "0.0012", 7 for "5e7"; nothing for a zero. A long exponent
// is read only as far as it matters, so that no text overflows the count.
std::optional<qint64> decimalMagnitude(QStringView t)
{
    constexpr qint64 Far = 1'000'000;
    qsizetype i = (t.startsWith(u'+') || t.startsWith(u'-')) ? 1 : 0;
    qint64 integerDigits = 0;  // from the first significant one
    qint64 fractionZeros = 0;  // before the first significant digit
    bool afterPoint = false;
    bool found = false;
    for (; i < t.size() && t[i] != u'e' && t[i] != u'E'; ++i) {
        if (t[i] == u'.') {
            afterPoint = true;
            continue;
        }
        found = found || t[i] != u'0';
        if (!afterPoint && found)
            ++integerDigits;
        else if (afterPoint && !found)
            ++fractionZeros;
    }
    if (!found)
        return std::nullopt;
    qint64 exponent = 0;
    const bool negative = i + 1 < t.size() && t[i + 1] == u'-';
    for (++i; i < t.size(); ++i) {
        if (t[i].isDigit())
            exponent = std::min(Far, exponent * 10 + (t[i].unicode() - u'0'));
    }
    const qint64 place = integerDigits > 0 ? integerDigits - 1 : -(fractionZeros + 1);
    return place + (negative ? -exponent : exponent);
}

// The number a text begins with: blanks, a sign, digits with a point, and an
// exponent where digits follow it ("125.00 PRIOR YEAR" begins with
// "125.00", "2e5x" with "2e5", "7e" with "7"). Empty when it begins with
// none ("abc", "-", ".").
QStringView leadingNumber(QStringView t)
{
    qsizetype i = 0;
    while (i < t.size() && (t[i] == u' ' || t[i] == u'\t'))
        ++i;
    const qsizetype from = i;
    auto digits = [&] {
        const qsizetype start = i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            ++i;
        return i - start;
    };
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype mantissa = digits();
    if (i < t.size() && t[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return {};
    const qsizetype end = i;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        if (digits() > 0)
            return t.sliced(from, i - from);
    }
    return t.sliced(from, end - from);
}

// A plain decimal number: sign, digits, point, digits, exponent, and nothing
// around them.
bool isPlainNumber(QStringView t)
{
    const QStringView number = leadingNumber(t);
    return !number.isEmpty() && number.data() == t.data() && number.size() == t.size();
}

// The value of a plain number; `shown` names it in a refusal. Far below a
// cent is 0; far above any amount is refused before a double could
// overflow.
double plainValue(QStringView t, int index, QStringView shown)
{
    const std::optional<qint64> magnitude = decimalMagnitude(t);
    if (!magnitude || *magnitude < -300)
        return 0;
    auto tooLarge = [&] {
        refuse(QStringLiteral("the %1 \"%2\" is too large").arg(QLatin1String(Headings[index]), shown));
    };
    if (*magnitude >= 15)
        tooLarge();
    // Plain numbers are ASCII.
    const QStringView digits = t.startsWith(u'+') ? t.sliced(1) : t;
    QVarLengthArray<char, 64> ascii(digits.size());
    std::transform(digits.begin(), digits.end(), ascii.begin(), [](QChar c) { return char(c.unicode()); });
    double v = 0;
    std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (std::fabs(v) >= 1e15)
        tooLarge();
    return v + 0.0;
}

// An amount: empty is 0, a plain number its value. Any other text is read
// as the number it begins with and noted in `loose`. An amount the save
// could not write back as it is (more than 15 significant digits) is
// refused rather than changed.
double amount(QStringView text, int index, std::vector<LooseValue> *loose)
{
    const QStringView t = BlankTrimmed(text);
    if (t.isEmpty())
        return 0;
    const bool plain = isPlainNumber(t);
    const QStringView number = plain ? t : leadingNumber(t);
    const double v = number.isEmpty() ? 0.0 : plainValue(number, index, t);
    if (!FormatAmountKeepsValue(v))
        refuse(QStringLiteral("the %1 \"%2\" would be saved as %3: an amount keeps at most 15 significant digits")
                   .arg(QLatin1String(Headings[index]), t, FormatAmount(v)));
    if (!plain && loose)
        loose->push_back(LooseAmount(QLatin1String(Headings[index]), text, v));
    return v;
}

// The folio as stored: its digits, 18 of them, zeros in front.
QString folio(QStringView text)
{
    QVarLengthArray<char16_t, 64> digits;
    for (QChar c : dropHash(text)) {
        if (c >= u'0' && c <= u'9')
            digits.append(c.unicode());
    }
    const auto significant = std::find_if(digits.begin(), digits.end(), [](char16_t c) { return c != u'0'; });
    if (digits.end() - significant > 18)
        refuse(QStringLiteral("the FOLIO NUMBER \"%1\" has more than 18 digits").arg(text.toString()));
    constexpr qsizetype Length = 18;
    QString stored(Length, u'0');
    const qsizetype kept = std::min(Length, digits.size());
    std::copy(digits.end() - kept, digits.end(), reinterpret_cast<char16_t *>(stored.data()) + (Length - kept));
    return stored;
}

// A number in the type column means an amount with a thousands separator
// pushed the values along.
QString paymentType(QStringView text)
{
    static const QString Types[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    const QStringView trimmed = BlankTrimmed(text);
    if (trimmed.size() == 1) {
        const char16_t c = char16_t(trimmed.front().unicode() & 0xFFDF);  // a letter's capital
        if (c >= u'A' && c <= u'C')
            return Types[c - u'A'];
    }
    const QString t = TrimBlanks(ToUpperWindows1252(text));
    if (IsNumeric(t))
        refuse(QStringLiteral("the PAYMENT TYPE A/B/C \"%1\" is a number (an amount written with a thousands "
                              "separator?)").arg(t));
    return (t.startsWith(u'A') || t.startsWith(u'B') || t.startsWith(u'C')) ? t.left(1) : QStringLiteral("A");
}

// The legal description: the rest of the line. A spreadsheet pads a line
// with empty values, and a legal description may hold commas ("LOT 1, BLOCK
// 2"), which are removed as the save removes them. When what stands in the
// legal description's place is a number, or nothing, an amount with a
// thousands separator has pushed the values along: refused.
QString legalDescription(QStringView rest, std::vector<LooseValue> *loose)
{
    const QString column = QLatin1String(Headings[DetailValueCount - 1]);
    while (!rest.isEmpty() && (rest.back() == u',' || rest.back() == u' '))
        rest.chop(1);
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0)
        return KeptText(rest, 32, column, loose).toString();
    const QStringView first = BlankTrimmed(rest.left(comma));
    if (first.isEmpty() || isPlainNumber(first))
        refuse(QStringLiteral("the line has more than %1 values (an amount with a comma in it?)").arg(DetailValueCount));
    const QString joined = CommaFree(rest);
    return KeptText(joined, 32, column, loose).toString();
}

}  // namespace

DetailRow ParseDetailLine(const QString &line, std::vector<LooseValue> *looseValues)
{
    // The legal description is the rest of the line after the eleventh value.
    QStringView legal;
    const std::vector<QStringView> v = SplitCsvLine(line, DetailValueCount - 1, &legal);
    auto kept = [looseValues](QStringView value, qsizetype length, int index) {
        return KeptText(value, length, QLatin1String(Headings[index]), looseValues);
    };
    DetailRow row;
    row.number = ToUpperWindows1252(kept(dropHash(v[0]), 12, 0));
    row.name = ToUpperWindows1252(kept(v[1], 25, 1));
    // Two characters, a zero in front of one; of more, the last two.
    row.cd = v[2].size() >= 2 ? v[2].right(2).toString() : QString(u'0').append(v[2]);
    if (looseValues && BlankTrimmed(v[2]).size() > 2)
        looseValues->push_back({0, QLatin1String(Headings[2]), v[2].toString(), u'"' + row.cd + u'"'});
    row.jur = kept(v[3], 3, 3).toString();
    row.folio = folio(v[4]);
    row.payment = amount(v[5], 5, looseValues);
    row.abc = paymentType(v[6]);
    row.grossTax = amount(v[7], 7, looseValues);
    row.regGrant = amount(v[8], 8, looseValues);
    row.addGrant = amount(v[9], 9, looseValues);
    row.delq = amount(v[10], 10, looseValues);
    row.legal = legalDescription(legal, looseValues);
    return row;
}

QString DetailLineText(const DetailRow &row, const QString &folioDisplay)
{
    return OneLineText(JoinCsvLine({u'#' + TrimBlanks(row.number), TrimBlanks(row.name), TrimBlanks(row.cd),
                        TrimBlanks(row.jur), u'#' + TrimBlanks(folioDisplay), FormatAmount(row.payment),
                        TrimBlanks(row.abc), FormatAmount(row.grossTax), FormatAmount(row.regGrant),
                        FormatAmount(row.addGrant), FormatAmount(row.delq), TrimBlanks(row.legal)}));
}

}  // namespace zolt::payment
