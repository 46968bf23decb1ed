#include "number_format.h"

#include "errors.h"

#include <QLocale>
#include <algorithm>
#include <QRegularExpression>
#include <charconv>
#include <cmath>

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

// Decimal digits of |value| rounded half away from zero to `decimals` places,
// taken from its 15 significant digits (the precision a double holds).
// Answers the integer digits and the fraction digits.
std::pair<QString, QString> roundedDigits(double value, int decimals)
{
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    const QString sci = QString::fromLatin1(buffer, written.ptr - buffer);  // d.dddddddddddddde±xx
    const qsizetype e = sci.indexOf(u'e');
    QString digits = sci.left(e);
    digits.remove(u'.');
    const int exponent = sci.mid(e + 1).toInt();
    // Point sits after digit index `exponent`; make room on both sides.
    int pointPos = exponent + 1;
    if (pointPos < 1) {
        digits.prepend(QString(1 - pointPos, u'0'));
        pointPos = 1;
    }
    const int keep = pointPos + decimals;
    if (digits.size() < keep + 1)
        digits.append(QString(keep + 1 - digits.size(), u'0'));
    const bool roundUp = digits.at(keep) >= u'5';
    QString kept = digits.left(keep);
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0) {
            if (kept[i] == u'9') {
                kept[i] = u'0';
                --i;
            } else {
                kept[i] = QChar(kept[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            kept.prepend(u'1');
            ++pointPos;
        }
    }
    QString integer = kept.left(pointPos);
    while (integer.size() > 1 && integer.startsWith(u'0'))
        integer.remove(0, 1);
    if (integer == u"0")
        integer.clear();
    return {integer, kept.mid(pointPos)};
}

QString groupThousands(const QString &digits, QChar separator)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(separator);
        out.append(digits.at(i));
    }
    return out;
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

QString FormatNumber(double value, const QString &mask)
{
    if (!std::isfinite(value))
        return QString::number(value);
    const MaskShape shape = shapeOf(mask);
    auto [integer, fraction] = roundedDigits(value, shape.decimals);
    if (integer.size() < shape.minIntegerDigits)
        integer.prepend(QString(shape.minIntegerDigits - integer.size(), u'0'));
    const auto nonZero = [](QChar c) { return c >= u'1' && c <= u'9'; };
    const bool zero = std::none_of(integer.begin(), integer.end(), nonZero)
                      && std::none_of(fraction.begin(), fraction.end(), nonZero);
    QString out = shape.grouping ? groupThousands(integer, u',') : integer;
    if (shape.decimals > 0)
        out += u'.' + fraction;
    if (value < 0 && !zero)
        out.prepend(u'-');
    return out;
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

// Parses the number test's grammar; answers false when the text is not one.
bool parseNumeric(const QString &text, double *out)
{
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
