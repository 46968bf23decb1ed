#include "windows1252.h"

#include <array>

namespace zolt {
namespace {

// Bytes 0x80 to 0x9F; the rest of the code page is the same as Latin-1.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte for a character, or -1.
int byteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

}  // namespace

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(HighControls[b - 0x80]) : QChar(b);
    }
    return out;
}

bool IsWindows1252(QChar c)
{
    return byteFor(c.unicode()) >= 0;
}

bool EncodeWindows1252(QStringView text, QByteArray &out, qsizetype *badIndex)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *d = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteFor(text[i].unicode());
        if (b < 0) {
            out.resize(start);
            if (badIndex)
                *badIndex = i;
            return false;
        }
        d[i] = char(b);
    }
    return true;
}

bool AppendUtf8AsWindows1252(QByteArrayView utf8, std::string &out)
{
    const size_t start = out.size();
    auto refuse = [&] {
        out.resize(start);
        return false;
    };
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + utf8.size();
    while (p < end) {
        if (*p < 0x80) {
            out += char(*p++);
            continue;
        }
        // Every character of the code page takes two or three bytes in
        // UTF-8; a longer or malformed sequence has no form here.
        char32_t c = 0;
        if ((*p & 0xE0) == 0xC0 && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
            c = char32_t(*p & 0x1F) << 6 | (p[1] & 0x3F);
            p += 2;
            if (c < 0x80)
                return refuse();
        } else if ((*p & 0xF0) == 0xE0 && end - p >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
            c = char32_t(*p & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
            p += 3;
            if (c < 0x800)
                return refuse();
        } else {
            return refuse();
        }
        const int b = byteFor(char16_t(c));
        if (b < 0)
            return refuse();
        out += char(b);
    }
    return true;
}

QString ToUpperWindows1252(QStringView text)
{
    if (text.isNull())
        return QString();
    QString out(text.size(), Qt::Uninitialized);
    QChar *to = out.data();
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            *to++ = (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 32) : c;
            continue;
        }
        const QChar upper = c.toUpper();
        *to++ = (upper != c && IsWindows1252(upper)) ? upper : c;
    }
    return out;
}

}  // namespace zolt
