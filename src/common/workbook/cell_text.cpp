#include "cell_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace zolt::workbook {

namespace {

// Exponents below and above these are shown in exponent form.
constexpr int SmallestPlainExponent = -6;
constexpr int LargestPlainExponent = 20;
// Integers of up to this many digits read back as themselves.
constexpr qsizetype ExactDigits = 15;

void appendWithExponent(QByteArrayView digits, int exponent, QByteArray &out)
{
    out += digits.first(1);
    if (digits.size() > 1)
        out.append('.').append(digits.sliced(1));
    out += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        out += '0';
    out += QByteArray::number(magnitude);
}

void appendWithoutExponent(QByteArrayView digits, int exponent, QByteArray &out)
{
    const qsizetype integerDigits = exponent + 1;
    if (integerDigits <= 0) {
        out.append("0.").append(-integerDigits, '0').append(digits);
    } else if (digits.size() <= integerDigits) {
        out.append(digits).append(integerDigits - digits.size(), '0');
    } else {
        out.append(digits.first(integerDigits)).append('.').append(digits.sliced(integerDigits));
    }
}

bool isPlainInteger(QByteArrayView bytes)
{
    if (bytes.isEmpty() || bytes.size() > ExactDigits || (bytes[0] == '0' && bytes.size() > 1))
        return false;
    for (const char c : bytes) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

int hexValue(char16_t u)
{
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

char16_t unitAt(const QString &text, qsizetype i)
{
    return text[i].unicode();
}

char16_t unitAt(const QByteArray &text, qsizetype i)
{
    return uchar(text[i]);
}

// The code unit of an escape "_xHHHH_" starting at pos, or -1.
template <typename Text>
int escapeAt(const Text &text, qsizetype pos)
{
    if (pos + 7 > text.size() || unitAt(text, pos) != '_' || unitAt(text, pos + 1) != 'x'
        || unitAt(text, pos + 6) != '_')
        return -1;
    int value = 0;
    for (qsizetype i = 2; i < 6; ++i) {
        const int digit = hexValue(unitAt(text, pos + i));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

char *writeUtf8(char32_t code, char *out)
{
    if (code < 0x80) {
        *out++ = char(code);
    } else if (code < 0x800) {
        *out++ = char(0xC0 | (code >> 6));
        *out++ = char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = char(0xE0 | (code >> 12));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    } else {
        *out++ = char(0xF0 | (code >> 18));
        *out++ = char(0x80 | ((code >> 12) & 0x3F));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    }
    return out;
}

bool isHighSurrogate(int code)
{
    return code >= 0xD800 && code <= 0xDBFF;
}

bool isLowSurrogate(int code)
{
    return code >= 0xDC00 && code <= 0xDFFF;
}

// Whether an escape may start from position from on: an underscore
// followed by an x.
bool mayHoldEscape(const QByteArray &text, qsizetype from)
{
    const char *p = text.constData() + from;
    const char *end = text.constData() + text.size();
    while ((p = static_cast<const char *>(std::memchr(p, '_', size_t(end - p))))) {
        if (++p < end && *p == 'x')
            return true;
    }
    return false;
}

bool workbookCannotHold(QChar c)
{
    return c.unicode() == 0 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF;
}

}  // namespace

void AppendShortestNumber(double value, QByteArray &out)
{
    if (value == 0) {
        out += '0';
        return;
    }
    // Scientific form of the shortest round-trip digits: "-1.2345678e+07".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const QByteArrayView scientific(buffer, result.ptr - buffer);
    const qsizetype e = scientific.indexOf('e');
    const bool negative = scientific.startsWith('-');
    char digits[32];
    qsizetype count = 0;
    for (const char c : scientific.first(e).sliced(negative ? 1 : 0)) {
        if (c != '.')
            digits[count++] = c;
    }
    int exponent = 0;
    const QByteArrayView exponentText = scientific.sliced(e + (scientific[e + 1] == '+' ? 2 : 1));
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (negative)
        out += '-';
    if (exponent >= SmallestPlainExponent && exponent <= LargestPlainExponent)
        appendWithoutExponent(QByteArrayView(digits, count), exponent, out);
    else
        appendWithExponent(QByteArrayView(digits, count), exponent, out);
}

void AppendNumberCellText(QByteArrayView stored, QByteArray &out)
{
    const QByteArrayView bytes = stored.trimmed();
    if (isPlainInteger(bytes)) {
        out += bytes;
        return;
    }
    double value = 0;
    const auto result = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (bytes.isEmpty() || result.ec != std::errc() || result.ptr != bytes.data() + bytes.size()
        || !std::isfinite(value)) {
        out += stored;
        return;
    }
    AppendShortestNumber(value, out);
}

void DecodeEscapedCharacters(QByteArray &text, qsizetype from)
{
    if (!mayHoldEscape(text, from))
        return;
    char *out = text.data() + from;
    qsizetype i = from;
    while (i < text.size()) {
        int code = escapeAt(text, i);
        if (code < 0) {
            *out++ = text[i++];
            continue;
        }
        i += 7;
        if (isHighSurrogate(code) && isLowSurrogate(escapeAt(text, i))) {
            code = 0x10000 + ((code - 0xD800) << 10) + (escapeAt(text, i) - 0xDC00);
            i += 7;
        } else if (isHighSurrogate(code) || isLowSurrogate(code)) {
            code = 0xFFFD;
        }
        if (code != 0)
            out = writeUtf8(char32_t(code), out);
    }
    text.truncate(out - text.constData());
}

QString EscapeForWorkbook(const QString &text)
{
    const bool plain = !text.contains(QLatin1String("_x"))
        && std::none_of(text.begin(), text.end(), workbookCannotHold);
    if (plain)
        return text;
    QString escaped;
    escaped.reserve(text.size() + 7);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (workbookCannotHold(text[i]))
            continue;
        if (escapeAt(text, i) >= 0)
            escaped += QLatin1String("_x005F");
        escaped += text[i];
    }
    return escaped;
}

bool IsPlainForWorkbook(QByteArrayView utf8)
{
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) {
        const auto byte = uchar(c);
        return byte != 0 && byte < 0x80;
    });
    return ascii && !utf8.contains("_x");
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
