#include "number_format.h"

#include "errors.h"

#include <QLocale>
#include <QVarLengthArray>
#include <algorithm>
#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace zolt {
namespace {

struct MaskShape {
    int decimals = 0;
    int minIntegerDigits = 0;
    bool grouping = false;
};

MaskShape shapeOf(const QString &mask)
{
    MaskShape shape;
    const qsizetype point = mask.indexOf(u'.');
    const QString integerPart = point < 0 ? mask : mask.left(point);
    const QString fractionPart = point < 0 ? QString() : mask.mid(point + 1);
    shape.grouping = integerPart.contains(u',');
    shape.minIntegerDigits = int(integerPart.count(u'0'));
    shape.decimals = int(fractionPart.count(u'0') + fractionPart.count(u'#'));
    return shape;
}

// The decimal digits of |value| rounded half away from zero to `decimals`
// places, taken from its 15 significant digits (the precision a double
// holds). Works in a fixed buffer sized for the largest double, so no value
// can overflow it.
class RoundedDigits {
public:
    static constexpr int MaxDecimals = 20;

    RoundedDigits(double value, int decimals);

    // Integer digits without leading zeros (empty for a zero integer part),
    // then the `decimals` fraction digits.
    QLatin1String integer() const { return {m_digits + m_first, m_point - m_first}; }
    QLatin1String fraction() const { return {m_digits + m_point, m_decimals}; }
    bool isZero() const { return m_zero; }

private:
    static constexpr int SignificantDigits = 15;
    // 309 integer digits of the largest double, a carry, the decimals and
    // the rounding digit.
    char m_digits[310 + MaxDecimals + 2];
    int m_first = 0;  // first integer digit kept
    int m_point = 0;  // index of the first fraction digit
    int m_decimals = 0;
    bool m_zero = true;
};

RoundedDigits::RoundedDigits(double value, int decimals) : m_decimals(std::clamp(decimals, 0, MaxDecimals))
{
    // "d.dddddddddddddde-xxx": at most 21 characters for any finite double.
    // The shortest digits that read back as the value are its 15 significant
    // digits when there are no more of them: the value lies nearer to them
    // than half a step of the fifteenth digit. Only longer ones (0.1 + 0.2)
    // need rounding to 15 digits, which costs more.
    char sci[32];
    char *sciEnd = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific).ptr;
    const char *e = std::find(sci, sciEnd, 'e');
    if (e - sci > SignificantDigits + 1) {  // the digits and the point
        sciEnd = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific,
                               SignificantDigits - 1).ptr;
        e = std::find(sci, sciEnd, 'e');
    }
    int exponent = 0;
    if (e != sciEnd)
        std::from_chars(e + 1 + (e + 1 < sciEnd && e[1] == '+'), sciEnd, exponent);
    // A value below half of the last place rounds to zero; so does anything
    // that is not finite (callers check for that first).
    if (!std::isfinite(value) || exponent < -(m_decimals + 1)) {
        std::fill(m_digits, m_digits + 1 + m_decimals, '0');
        m_first = m_point = 1;
        return;
    }
    // Lay the digits out with the point after index m_point - 1, a leading
    // "0" left free for a carry.
    int n = 0;
    m_digits[n++] = '0';
    for (int i = exponent; i < -1; ++i)  // zeros between the point and the digits
        m_digits[n++] = '0';
    if (exponent < 0)
        m_digits[n++] = '0';
    for (const char *p = sci; p < e; ++p) {
        if (*p != '.')
            m_digits[n++] = *p;
    }
    m_point = exponent < 0 ? 2 : exponent + 2;
    const int keep = m_point + m_decimals;  // digits kept; digit `keep` decides the rounding
    while (n <= keep)
        m_digits[n++] = '0';
    if (m_digits[keep] >= '5') {
        int i = keep - 1;
        for (; m_digits[i] == '9'; --i)
            m_digits[i] = '0';
        ++m_digits[i];
    }
    m_first = 0;
    while (m_first < m_point && m_digits[m_first] == '0')
        ++m_first;
    m_zero = std::all_of(m_digits + m_first, m_digits + keep, [](char c) { return c == '0'; });
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Laid out in a buffer and made a text once: amounts are formatted by the
// hundred thousand when a payment file is saved.
using DigitBuffer = QVarLengthArray<char, 64>;

void layOutDigits(double value, const MaskShape &shape, DigitBuffer &out)
{
    const RoundedDigits digits(value, shape.decimals);
    const QLatin1String integer = digits.integer();
    const qsizetype zeros = std::max<qsizetype>(0, shape.minIntegerDigits - integer.size());
    const qsizetype integerDigits = zeros + integer.size();
    // A sign, the integer digits with their separators, the point and the
    // fraction.
    if (value < 0 && !digits.isZero())
        out.append('-');
    for (qsizetype i = 0; i < integerDigits; ++i) {
        if (shape.grouping && i > 0 && (integerDigits - i) % 3 == 0)
            out.append(',');
        out.append(i < zeros ? '0' : integer[i - zeros].toLatin1());
    }
    if (shape.decimals > 0) {
        out.append('.');
        out.append(digits.fraction().data(), digits.fraction().size());
    }
}

QString formatDigits(double value, const MaskShape &shape)
{
    DigitBuffer out;
    layOutDigits(value, shape, out);
    return QString::fromLatin1(out.constData(), out.size());
}

const MaskShape AmountShape{2, 1, false};

}  // namespace

QString FormatNumber(double value, const QString &mask)
{
    if (!std::isfinite(value))
        return QString::number(value);
    return formatDigits(value, shapeOf(mask));
}

QString FormatAmount(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    return formatDigits(value, AmountShape);
}

void AppendAmount(double value, std::string &out)
{
    if (!std::isfinite(value)) {
        out += QString::number(value).toStdString();
        return;
    }
    DigitBuffer digits;
    layOutDigits(value, AmountShape, digits);
    out.append(digits.constData(), size_t(digits.size()));
}

namespace {

// Digits without leading zeros, the point and the sign left out.
std::string_view significantDigits(std::string_view digits)
{
    const size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

}  // namespace

bool FormatAmountKeepsValue(double value)
{
    if (!std::isfinite(value))
        return false;
    // The shortest digits that read back as the value. When there are at
    // most 15 of them, FormatAmount rounds these very digits to the cent
    // (RoundedDigits), which is always within half a cent.
    char sci[32];
    const char *const sciEnd = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific).ptr;
    const char *const e = std::find(static_cast<const char *>(sci), sciEnd, 'e');
    if (std::count_if(static_cast<const char *>(sci), e, [](char c) { return c >= '0' && c <= '9'; }) <= 15)
        return true;
    // Longer digits lose some: compare the written cents with the two cents
    // around the value, in decimal, so that no rounding of a double blurs a
    // cent (at 1e14 a double's steps are larger than half a cent).
    char fixed[400];  // the shortest fixed form of any double fits
    const std::to_chars_result r =
        std::to_chars(fixed, fixed + sizeof fixed, std::fabs(value), std::chars_format::fixed);
    if (r.ec != std::errc())
        return false;
    const std::string_view exact(fixed, size_t(r.ptr - fixed));
    const size_t point = exact.find('.');
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : exact.substr(point + 1);
    std::string below(exact.substr(0, point));  // the value cut to the cent, in cents
    below += fraction.size() > 0 ? fraction[0] : '0';
    below += fraction.size() > 1 ? fraction[1] : '0';
    std::string above = below;  // a cent more
    qsizetype i = qsizetype(above.size()) - 1;
    for (; i >= 0 && above[size_t(i)] == '9'; --i)
        above[size_t(i)] = '0';
    if (i < 0)
        above.insert(above.begin(), '1');
    else
        ++above[size_t(i)];
    // Where the rest lies against half a cent.
    const std::string_view rest = fraction.size() > 2 ? fraction.substr(2) : std::string_view();
    int half = -1;
    if (!rest.empty() && rest[0] > '5')
        half = 1;
    else if (!rest.empty() && rest[0] == '5')
        half = rest.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;

    DigitBuffer written;
    layOutDigits(value, AmountShape, written);
    std::string cents;
    for (char c : written) {
        if (c >= '0' && c <= '9')
            cents += c;
    }
    const std::string_view w = significantDigits(cents);
    return (half <= 0 && w == significantDigits(below)) || (half >= 0 && w == significantDigits(above));
}

QString FormatText(const QString &text, const QString &mask)
{
    return IsNumeric(text) ? FormatNumber(NumericTextValue(text), mask) : text;
}

QString FormatStandard(double value)
{
    return FormatNumber(value, Mask::Thousands2);
}

QString FormatCurrency(double value)
{
    QString symbol = QLocale().currencySymbol(QLocale::CurrencySymbol);
    if (symbol.isEmpty() || QLocale().language() == QLocale::C)
        symbol = QStringLiteral("$");
    const QString amount = FormatNumber(std::fabs(value), Mask::Thousands2);
    const bool negative = value < 0 && FormatNumber(value, Mask::Thousands2).startsWith(u'-');
    return negative ? u'(' + symbol + amount + u')' : symbol + amount;
}

namespace {

// A text of nothing but 1 to 19 digits (codes, folios, PIDs: most texts the
// test sees) is read without the general parser: its value fits an unsigned
// 64-bit integer, whose conversion to double rounds as the parser would.
bool parsePlainDigits(const QString &text, double *out)
{
    if (text.isEmpty() || text.size() > 19)
        return false;
    quint64 value = 0;
    for (const QChar c : text) {
        if (!isDigit(c))
            return false;
        value = value * 10 + quint64(c.unicode() - u'0');
    }
    if (out)
        *out = double(value);
    return true;
}

// Parses the number test's grammar; answers false when the text is not one.
bool parseNumeric(const QString &text, double *out)
{
    if (parsePlainDigits(text, out))
        return true;
    const QLocale locale;
    const QChar point = locale.decimalPoint().isEmpty() ? QChar(u'.') : locale.decimalPoint().at(0);
    const QChar group = locale.groupSeparator().isEmpty() ? QChar(u',') : locale.groupSeparator().at(0);
    const QString s = text.trimmed();
    qsizetype i = 0;
    QString normal;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        normal.append(s[i++]);
    int mantissaDigits = 0;
    while (i < s.size() && (isDigit(s[i]) || (s[i] == group && mantissaDigits > 0))) {
        if (s[i] != group) {
            normal.append(s[i]);
            ++mantissaDigits;
        }
        ++i;
    }
    if (i < s.size() && s[i] == point) {
        normal.append(u'.');
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            normal.append(s[i++]);
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && QStringLiteral("eEdD").contains(s[i])) {
        normal.append(u'e');
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            normal.append(s[i++]);
        int exponentDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            normal.append(s[i++]);
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    bool ok = false;
    const double v = normal.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (out)
        *out = v + 0.0;
    return true;
}

}  // namespace

bool IsNumeric(const QString &text)
{
    return parseNumeric(text, nullptr);
}

double NumericTextValue(const QString &text)
{
    double v = 0;
    return parseNumeric(text, &v) ? v : 0.0;
}

double NumericValue(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
        ++i;
    QString normal;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        normal.append(text[i++]);
    int digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        normal.append(text[i++]);
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        normal.append(text[i++]);
        while (i < text.size() && isDigit(text[i])) {
            normal.append(text[i++]);
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i + 1 < text.size() && QStringLiteral("eEdD").contains(text[i])) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (text[j] == u'+' || text[j] == u'-')
            exponent.append(text[j++]);
        qsizetype start = j;
        while (j < text.size() && isDigit(text[j]))
            exponent.append(text[j++]);
        if (j > start)
            normal.append(exponent);
    }
    const double v = normal.toDouble();
    if (!std::isfinite(v))
        throw ZoltError(ErrorNumber::Overflow, QStringLiteral("Overflow"));
    return v + 0.0;
}

}  // namespace zolt
