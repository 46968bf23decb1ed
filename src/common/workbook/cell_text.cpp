#include "cell_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zolt::workbook {

namespace {

// Exponents below and above these are shown in exponent form.
constexpr int SmallestPlainExponent = -6;
constexpr int LargestPlainExponent = 20;

QString withExponent(const QString &digits, int exponent)
{
    QString text = digits.left(1);
    if (digits.size() > 1)
        text += QLatin1Char('.') + digits.mid(1);
    text += exponent < 0 ? QLatin1String("E-") : QLatin1String("E+");
    text += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    return text;
}

QString withoutExponent(const QString &digits, int exponent)
{
    const int integerDigits = exponent + 1;
    if (integerDigits <= 0)
        return QLatin1String("0.") + QString(-integerDigits, QLatin1Char('0')) + digits;
    if (digits.size() <= integerDigits)
        return digits + QString(integerDigits - digits.size(), QLatin1Char('0'));
    return digits.left(integerDigits) + QLatin1Char('.') + digits.mid(integerDigits);
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The code unit of an escape "_xHHHH_" starting at pos, or -1.
int escapeAt(const QString &text, qsizetype pos)
{
    if (pos + 7 > text.size() || text[pos + 1] != QLatin1Char('x') || text[pos + 6] != QLatin1Char('_'))
        return -1;
    int value = 0;
    for (int i = 2; i < 6; ++i) {
        const int digit = hexValue(text[pos + i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

QString ShortestNumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    // Scientific form of the shortest round-trip digits: "-1.2345678e+07".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const QString scientific = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    QString digits = scientific.mid(negative ? 1 : 0, e - (negative ? 1 : 0));
    digits.remove(QLatin1Char('.'));
    const int exponent = scientific.mid(e + 1).toInt();

    const bool plain = exponent >= SmallestPlainExponent && exponent <= LargestPlainExponent;
    const QString magnitude = plain ? withoutExponent(digits, exponent) : withExponent(digits, exponent);
    return negative ? QLatin1Char('-') + magnitude : magnitude;
}

QString NumberCellText(QByteArrayView stored)
{
    const QByteArrayView bytes = stored.trimmed();
    double value = 0;
    const auto result = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (bytes.isEmpty() || result.ec != std::errc() || result.ptr != bytes.data() + bytes.size()
        || !std::isfinite(value))
        return QString::fromUtf8(stored);
    return ShortestNumberText(value);
}

QString DecodeEscapedCharacters(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int code = text[i] == QLatin1Char('_') ? escapeAt(text, i) : -1;
        if (code < 0) {
            decoded += text[i];
        } else {
            decoded += QChar(char16_t(code));
            i += 6;
        }
    }
    return decoded;
}

bool ParseCellReference(QByteArrayView text, CellReference &out)
{
    qsizetype i = 0;
    int column = 0;
    for (; i < text.size(); ++i) {
        const char letter = char(text[i] & ~0x20);  // upper case
        if (letter < 'A' || letter > 'Z')
            break;
        if (i >= 3)
            return false;
        column = column * 26 + (letter - 'A' + 1);
    }
    if (i == 0 || column > MaxSheetColumns)
        return false;
    const bool hasRow = i < text.size();
    int row = 0;
    for (; i < text.size(); ++i) {
        const char u = text[i];
        if (u < '0' || u > '9' || row > MaxSheetRows)
            return false;
        row = row * 10 + (u - '0');
    }
    if (row > MaxSheetRows || (hasRow && row == 0))
        return false;
    out = {column, row};
    return true;
}

}  // namespace zolt::workbook
