#include "xml_scanner.h"

#include "workbook_problem.h"
#include "zip_archive.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace zolt::workbook {

namespace {

constexpr qsizetype ChunkSize = 64 * 1024;
constexpr qsizetype LongestEntity = 12;  // "&#x10FFFF;" and a margin

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// The bytes that end a name.
constexpr std::array<bool, 256> NameEnds = [] {
    std::array<bool, 256> ends{};
    for (const char c : {' ', '\n', '\r', '\t', '/', '>', '=', '<'})
        ends[uchar(c)] = true;
    return ends;
}();

using Name = XmlScanner::Name;

// Scans the name starting at p.
Name scanName(const char *p, const char *end)
{
    const char *local = p;
    for (; p < end && !NameEnds[uchar(*p)]; ++p) {
        if (*p == ':')
            local = p + 1;
    }
    return {p < end ? p : nullptr, local};
}

bool isNamespaceDeclaration(QByteArrayView qualified)
{
    return qualified.size() >= 5 && qualified[0] == 'x' && std::memcmp(qualified.data(), "xmlns", 5) == 0
        && (qualified.size() == 5 || qualified[5] == ':');
}

void appendUtf8(char32_t code, QByteArray &out)
{
    out += QString::fromUcs4(&code, 1).toUtf8();
}

// The first c from p on, null when there is none before end. Attribute
// values are mostly a few bytes: looked at here before the library's search.
const char *findByte(const char *p, const char *end, char c)
{
    for (const char *stop = std::min(end, p + 16); p < stop; ++p) {
        if (*p == c)
            return p;
    }
    return p < end ? static_cast<const char *>(std::memchr(p, c, size_t(end - p))) : nullptr;
}

// QByteArray::append, without its checks for overlapping data.
void appendBytes(QByteArrayView bytes, QByteArray &out)
{
    if (bytes.isEmpty())
        return;
    const qsizetype size = out.size();
    out.resize(size + bytes.size());
    std::memcpy(out.data() + size, bytes.data(), size_t(bytes.size()));
}

const char *skipSpaces(const char *p, const char *end)
{
    while (p < end && isSpace(*p))
        ++p;
    return p;
}

// Parts are mostly written on one line: line breaks are looked for, not
// counted byte by byte.
qint64 countLines(const char *from, const char *to)
{
    qint64 lines = 0;
    while ((from = static_cast<const char *>(std::memchr(from, '\n', size_t(to - from))))) {
        ++lines;
        ++from;
    }
    return lines;
}

}  // namespace

XmlScanner::XmlScanner(PartStream &input)
    : m_input(input), m_partName(input.partName()), m_buffer(ChunkSize, Qt::Uninitialized),
      m_begin(m_buffer.data()), m_pos(m_begin), m_end(m_begin)
{
    detectEncoding();
}

// Parts are UTF-8 in practice; a UTF-16 part (marked by its byte order mark)
// is turned into UTF-8 as it is read.
void XmlScanner::detectEncoding()
{
    m_end = m_begin + m_input.read(m_begin, m_buffer.size());
    const QByteArrayView head(m_pos, m_end - m_pos);
    if (head.startsWith("\xEF\xBB\xBF")) {
        m_pos += 3;
        return;
    }
    const bool littleEndian = head.startsWith("\xFF\xFE");
    if (!littleEndian && !head.startsWith("\xFE\xFF"))
        return;
    m_utf16.emplace(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    m_raw = head.sliced(2).toByteArray();
    m_end = m_pos;
    readMore();
}

qsizetype XmlScanner::readInput(char *data, qsizetype max)
{
    if (!m_utf16)
        return m_input.read(data, max);
    // UTF-8 takes at most three bytes where UTF-16 takes two.
    const qsizetype rawMax = max / 3 * 2;
    for (;;) {
        if (m_raw.isEmpty()) {
            m_raw.resize(rawMax);
            m_raw.resize(m_input.read(m_raw.data(), rawMax));
            if (m_raw.isEmpty())
                return 0;
        }
        const qsizetype taken = std::min(rawMax, m_raw.size());
        const QString text = (*m_utf16)(QByteArrayView(m_raw).first(taken));
        const QByteArray utf8 = text.toUtf8();
        m_raw.remove(0, taken);
        std::memcpy(data, utf8.constData(), size_t(utf8.size()));
        if (!utf8.isEmpty())
            return utf8.size();
    }
}

bool XmlScanner::readMore(bool grow)
{
    if (m_inputEnded)
        return false;
    m_linesBefore += countLines(m_begin, m_pos);
    const qsizetype kept = m_end - m_pos;
    const qsizetype from = m_pos - m_begin;
    if (kept == m_buffer.size() || (grow && kept > m_buffer.size() / 2)) {
        if (m_buffer.size() >= MaxTagSize)
            fail(QStringLiteral("a tag is longer than %1 KB").arg(MaxTagSize / 1024));
        m_buffer.resize(std::min(2 * m_buffer.size(), MaxTagSize));
        m_begin = m_buffer.data();
    }
    std::memmove(m_begin, m_begin + from, size_t(kept));
    m_pos = m_begin;
    m_end = m_begin + kept;
    const qsizetype n = readInput(m_begin + kept, m_buffer.size() - kept);
    if (n == 0) {
        m_inputEnded = true;
        return false;
    }
    m_end += n;
    return true;
}

bool XmlScanner::ensure(qsizetype n)
{
    while (m_end - m_pos < n) {
        if (!readMore(true))
            return false;
    }
    return true;
}

void XmlScanner::fail(const QString &reason) const
{
    const qint64 line = 1 + m_linesBefore + countLines(m_begin, m_pos);
    Fail(QStringLiteral("the part %1 is not well-formed XML (line %2: %3)").arg(m_partName).arg(line).arg(reason));
}

QString XmlScanner::attributeText(QByteArrayView localName) const
{
    QByteArray text;
    appendText(attribute(localName), text);
    return QString::fromUtf8(text);
}

void XmlScanner::push(QByteArrayView qualifiedName)
{
    if (m_openEnds.size() >= size_t(MaxDepth))
        fail(QStringLiteral("elements are nested more than %1 deep").arg(MaxDepth));
    m_openNames.resize(m_openEnds.empty() ? 0 : m_openEnds.back());
    m_openNames.append(qualifiedName.data(), size_t(qualifiedName.size()));
    m_openEnds.push_back(m_openNames.size());
}

QByteArrayView XmlScanner::top() const
{
    const size_t end = m_openEnds.back();
    const size_t start = m_openEnds.size() > 1 ? m_openEnds[m_openEnds.size() - 2] : 0;
    return QByteArrayView(m_openNames.data() + start, qsizetype(end - start));
}

void XmlScanner::readTag(bool (XmlScanner::*parse)())
{
    while (!(this->*parse)()) {
        if (!readMore(true))
            fail(QStringLiteral("the part ends inside a tag"));
    }
}

Name XmlScanner::tagName(const char *start) const
{
    const Name name = scanName(start, m_end);
    if (name.end == start)
        fail(QStringLiteral("a name is missing"));
    return name;
}

bool XmlScanner::parseStartTag()
{
    const char *end = m_end;
    const char *nameStart = m_pos + 1;
    const Name name = tagName(nameStart);
    const char *p = name.end;
    if (!p)
        return false;
    const QByteArrayView qualified(nameStart, p - nameStart);
    m_attributes.clear();
    bool selfClosing = false;
    for (;;) {
        p = skipSpaces(p, end);
        if (p == end)
            return false;
        if (*p == '>') {
            ++p;
            break;
        }
        if (*p == '/') {
            if (p + 1 == end)
                return false;
            if (p[1] != '>')
                fail(QStringLiteral("a start tag is not closed"));
            selfClosing = true;
            p += 2;
            break;
        }
        const char *attributeStart = p;
        const Name attribute = scanName(p, end);
        p = attribute.end;
        if (!p)
            return false;
        if (p == attributeStart)
            fail(QStringLiteral("a name is missing"));
        const QByteArrayView attributeName(attributeStart, p - attributeStart);
        p = skipSpaces(p, end);
        if (p == end)
            return false;
        if (*p != '=')
            fail(QStringLiteral("an attribute has no value"));
        p = skipSpaces(p + 1, end);
        if (p == end)
            return false;
        if (*p != '"' && *p != '\'')
            fail(QStringLiteral("an attribute value is not quoted"));
        const char quote = *p++;
        const char *valueEnd = findByte(p, end, quote);
        if (!valueEnd)
            return false;
        if (!isNamespaceDeclaration(attributeName))
            m_attributes.push_back({QByteArrayView(attribute.local, attributeName.end()), QByteArrayView(p, valueEnd - p)});
        p = valueEnd + 1;
    }
    push(qualified);
    m_name = QByteArrayView(name.local, qualified.end());
    m_selfClosing = selfClosing;
    m_sawRoot = true;
    m_pos = p;
    return true;
}

bool XmlScanner::parseEndTag()
{
    const char *end = m_end;
    const char *nameStart = m_pos + 2;
    const Name name = tagName(nameStart);
    const char *p = name.end;
    if (!p)
        return false;
    const QByteArrayView qualified(nameStart, p - nameStart);
    p = skipSpaces(p, end);
    if (p == end)
        return false;
    if (*p != '>')
        fail(QStringLiteral("an end tag is not closed"));
    if (m_openEnds.empty() || !sameBytes(top(), qualified))
        fail(QStringLiteral("the end tag </%1> does not match").arg(QString::fromUtf8(qualified)));
    pop();
    m_name = QByteArrayView(name.local, qualified.end());
    m_pos = p + 1;
    return true;
}

void XmlScanner::skipPast(QByteArrayView terminator, QByteArray *out)
{
    for (;;) {
        const QByteArrayView rest(m_pos, m_end - m_pos);
        const qsizetype found = rest.indexOf(terminator);
        if (found >= 0) {
            if (out)
                out->append(m_pos, found);
            m_pos += found + terminator.size();
            return;
        }
        // The terminator may begin in the last bytes.
        const qsizetype keep = std::min(rest.size(), terminator.size() - 1);
        if (out)
            out->append(m_pos, rest.size() - keep);
        m_pos = m_end - keep;
        if (!readMore())
            fail(QStringLiteral("\"%1\" is missing").arg(QString::fromLatin1(terminator)));
    }
}

bool XmlScanner::skipOtherMarkup(QByteArray *cdata)
{
    if (m_pos[1] == '?') {
        m_pos += 2;
        skipPast("?>", nullptr);
        return true;
    }
    if (m_pos[1] != '!')
        return false;
    ensure(9);
    const QByteArrayView head(m_pos, m_end - m_pos);
    if (head.startsWith("<!--")) {
        m_pos += 4;
        skipPast("-->", nullptr);
    } else if (head.startsWith("<![CDATA[")) {
        m_pos += 9;
        skipPast("]]>", cdata);
    } else {
        fail(QStringLiteral("document type declarations are not accepted"));
    }
    return true;
}

XmlScanner::Token XmlScanner::endOfDocument()
{
    if (!m_openEnds.empty())
        fail(QStringLiteral("the part ends inside <%1>").arg(QString::fromUtf8(top())));
    if (!m_sawRoot)
        fail(QStringLiteral("there is no element"));
    return EndOfDocument;
}

XmlScanner::Token XmlScanner::next()
{
    if (m_selfClosing) {
        m_selfClosing = false;
        pop();
        return EndElement;
    }
    for (;;) {
        const char *tag = static_cast<const char *>(std::memchr(m_pos, '<', size_t(m_end - m_pos)));
        if (!tag) {
            m_pos = m_end;  // text between elements is passed over
            if (!readMore())
                return endOfDocument();
            continue;
        }
        m_pos = tag;
        if (m_end - m_pos < 2 && !ensure(2))
            fail(QStringLiteral("the part ends inside a tag"));
        const char second = m_pos[1];
        if (second == '/') {
            if (!parseEndTag())
                readTag(&XmlScanner::parseEndTag);
            return EndElement;
        }
        if ((second == '?' || second == '!') && skipOtherMarkup(nullptr))
            continue;
        if (!parseStartTag())
            readTag(&XmlScanner::parseStartTag);
        return StartElement;
    }
}

void XmlScanner::skipElement()
{
    for (int depth = 1; depth > 0;) {
        const Token token = next();
        if (token == EndOfDocument)
            return;  // unreachable: next() fails on an unclosed element
        depth += token == StartElement ? 1 : -1;
    }
}

void XmlScanner::appendElementText(QByteArray &out, qsizetype maxSize)
{
    if (m_selfClosing) {
        next();
        return;
    }
    for (;;) {
        const char *tag = static_cast<const char *>(std::memchr(m_pos, '<', size_t(m_end - m_pos)));
        const char *stop = tag;
        if (!stop) {
            // An entity cut off by the end of the buffer waits for the rest.
            stop = m_end;
            for (const char *p = m_end; p > std::max(m_pos, m_end - LongestEntity);) {
                if (*--p == ';')
                    break;
                if (*p == '&') {
                    stop = p;
                    break;
                }
            }
        }
        appendText(QByteArrayView(m_pos, stop - m_pos), out);
        m_pos = stop;
        if (out.size() > maxSize)
            Fail(QStringLiteral("the part %1 holds a text longer than a cell can hold").arg(m_partName));
        if (!tag) {
            if (!readMore())
                fail(QStringLiteral("the part ends inside <%1>").arg(QString::fromUtf8(top())));
            continue;
        }
        if (m_end - m_pos < 2 && !ensure(2))
            fail(QStringLiteral("the part ends inside a tag"));
        if (m_pos[1] == '/') {
            if (!parseEndTag())
                readTag(&XmlScanner::parseEndTag);
            return;
        }
        if (skipOtherMarkup(&out))
            continue;
        fail(QStringLiteral("an element stands where only text may"));
    }
}

void XmlScanner::appendText(QByteArrayView raw, QByteArray &out) const
{
    while (!raw.isEmpty()) {
        const char *ampersand = static_cast<const char *>(std::memchr(raw.data(), '&', size_t(raw.size())));
        if (!ampersand) {
            appendBytes(raw, out);
            return;
        }
        const qsizetype amp = ampersand - raw.data();
        appendBytes(raw.first(amp), out);
        raw = raw.sliced(amp + 1);
        const qsizetype semicolon = raw.indexOf(';');
        if (semicolon < 1 || semicolon > 10)
            fail(QStringLiteral("an entity reference is not closed"));
        const QByteArrayView entity = raw.first(semicolon);
        raw = raw.sliced(semicolon + 1);
        if (entity == "lt")
            out.append('<');
        else if (entity == "gt")
            out.append('>');
        else if (entity == "amp")
            out.append('&');
        else if (entity == "quot")
            out.append('"');
        else if (entity == "apos")
            out.append('\'');
        else if (entity.startsWith('#')) {
            const bool hex = entity.size() > 1 && (entity[1] == 'x' || entity[1] == 'X');
            const QByteArrayView digits = entity.sliced(hex ? 2 : 1);
            unsigned code = 0;
            const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            if (digits.isEmpty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size()
                || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                fail(QStringLiteral("the character reference &%1; is not valid").arg(QString::fromLatin1(entity)));
            appendUtf8(char32_t(code), out);
        } else {
            fail(QStringLiteral("the entity &%1; is not known").arg(QString::fromUtf8(entity)));
        }
    }
}

}  // namespace zolt::workbook
