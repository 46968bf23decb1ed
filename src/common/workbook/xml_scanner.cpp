#include "xml_scanner.h"

#include "workbook_problem.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace zolt::workbook {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

bool endsName(char c)
{
    return isSpace(c) || c == '/' || c == '>' || c == '=' || c == '<';
}

QByteArrayView localName(QByteArrayView qualified)
{
    const qsizetype colon = qualified.lastIndexOf(':');
    return colon < 0 ? qualified : qualified.sliced(colon + 1);
}

void appendUtf8(char32_t code, QByteArray &out)
{
    const QString text = QString::fromUcs4(&code, 1);
    out += text.toUtf8();
}

// Parts are UTF-8 in practice; a UTF-16 part (marked by its byte order mark)
// is turned into UTF-8 first.
QByteArray asUtf8(const QByteArray &xml)
{
    if (xml.startsWith("\xEF\xBB\xBF"))
        return xml.mid(3);
    const bool littleEndian = xml.startsWith("\xFF\xFE");
    if (!littleEndian && !xml.startsWith("\xFE\xFF"))
        return xml;
    QString text;
    text.resize((xml.size() - 2) / 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const uchar a = uchar(xml[2 + 2 * i]);
        const uchar b = uchar(xml[3 + 2 * i]);
        text[i] = QChar(littleEndian ? char16_t(a | b << 8) : char16_t(b | a << 8));
    }
    return text.toUtf8();
}

}  // namespace

XmlScanner::XmlScanner(const QByteArray &xml, const QString &partName)
    : m_xml(asUtf8(xml)), m_partName(partName), m_begin(m_xml.constData()), m_pos(m_begin),
      m_end(m_begin + m_xml.size())
{
}

void XmlScanner::fail(const QString &reason) const
{
    const qsizetype line = 1 + std::count(m_begin, m_pos, '\n');
    Fail(QStringLiteral("the part %1 is not well-formed XML (line %2: %3)").arg(m_partName).arg(line).arg(reason));
}

bool XmlScanner::startsWith(QByteArrayView text) const
{
    return m_end - m_pos >= text.size() && std::memcmp(m_pos, text.data(), size_t(text.size())) == 0;
}

void XmlScanner::skipPast(QByteArrayView terminator)
{
    const QByteArrayView rest(m_pos, m_end - m_pos);
    const qsizetype found = rest.indexOf(terminator);
    if (found < 0)
        fail(QStringLiteral("\"%1\" is missing").arg(QString::fromLatin1(terminator)));
    m_pos += found + terminator.size();
}

void XmlScanner::skipSpace()
{
    while (m_pos < m_end && isSpace(*m_pos))
        ++m_pos;
}

QByteArrayView XmlScanner::readName()
{
    const char *start = m_pos;
    while (m_pos < m_end && !endsName(*m_pos))
        ++m_pos;
    if (m_pos == start)
        fail(QStringLiteral("a name is missing"));
    return QByteArrayView(start, m_pos - start);
}

QByteArrayView XmlScanner::attribute(QByteArrayView name) const
{
    for (const Attribute &attribute : m_attributes) {
        if (attribute.name == name)
            return attribute.value;
    }
    return {};
}

bool XmlScanner::skipOtherMarkup(QByteArray *cdata)
{
    if (m_end - m_pos < 2 || (m_pos[1] != '?' && m_pos[1] != '!'))
        return false;
    if (startsWith("<?")) {
        skipPast("?>");
    } else if (startsWith("<!--")) {
        skipPast("-->");
    } else if (startsWith("<![CDATA[")) {
        const char *start = m_pos + 9;
        skipPast("]]>");
        if (cdata)
            cdata->append(start, m_pos - 3 - start);
    } else if (startsWith("<!")) {
        fail(QStringLiteral("document type declarations are not accepted"));
    } else {
        return false;
    }
    return true;
}

void XmlScanner::readStartTag()
{
    ++m_pos;  // '<'
    const QByteArrayView qualified = readName();
    m_attributes.clear();
    for (;;) {
        skipSpace();
        if (m_pos >= m_end)
            fail(QStringLiteral("a start tag is not closed"));
        if (*m_pos == '>' || (*m_pos == '/' && m_end - m_pos > 1 && m_pos[1] == '>'))
            break;
        const QByteArrayView attributeName = readName();
        skipSpace();
        if (m_pos >= m_end || *m_pos != '=')
            fail(QStringLiteral("an attribute has no value"));
        ++m_pos;
        skipSpace();
        if (m_pos >= m_end || (*m_pos != '"' && *m_pos != '\''))
            fail(QStringLiteral("an attribute value is not quoted"));
        const char quote = *m_pos++;
        const char *valueEnd = static_cast<const char *>(std::memchr(m_pos, quote, size_t(m_end - m_pos)));
        if (!valueEnd)
            fail(QStringLiteral("an attribute value is not closed"));
        m_attributes.push_back({attributeName, QByteArrayView(m_pos, valueEnd - m_pos)});
        m_pos = valueEnd + 1;
    }
    m_selfClosing = *m_pos == '/';
    m_pos += m_selfClosing ? 2 : 1;
    m_open.push_back(qualified);
    m_name = localName(qualified);
    m_sawRoot = true;
}

void XmlScanner::readEndTag()
{
    m_pos += 2;  // "</"
    const QByteArrayView qualified = readName();
    skipSpace();
    if (m_pos >= m_end || *m_pos != '>')
        fail(QStringLiteral("an end tag is not closed"));
    ++m_pos;
    if (m_open.empty() || m_open.back() != qualified)
        fail(QStringLiteral("the end tag </%1> does not match").arg(QString::fromUtf8(qualified)));
    m_open.pop_back();
    m_name = localName(qualified);
}

XmlScanner::Token XmlScanner::next()
{
    if (m_selfClosing) {
        m_selfClosing = false;
        m_open.pop_back();
        return EndElement;
    }
    for (;;) {
        const char *tag = static_cast<const char *>(std::memchr(m_pos, '<', size_t(m_end - m_pos)));
        if (!tag) {
            m_pos = m_end;
            if (!m_open.empty())
                fail(QStringLiteral("the part ends inside <%1>").arg(QString::fromUtf8(m_open.back())));
            if (!m_sawRoot)
                fail(QStringLiteral("there is no element"));
            return EndOfDocument;
        }
        m_pos = tag;
        if (skipOtherMarkup(nullptr))
            continue;
        if (m_end - m_pos > 1 && m_pos[1] == '/') {
            readEndTag();
            return EndElement;
        }
        readStartTag();
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

QByteArray XmlScanner::readElementBytes()
{
    if (m_selfClosing) {
        next();
        return QByteArray();
    }
    QByteArray text;
    for (;;) {
        const char *tag = static_cast<const char *>(std::memchr(m_pos, '<', size_t(m_end - m_pos)));
        if (!tag)
            fail(QStringLiteral("the part ends inside <%1>").arg(QString::fromUtf8(m_open.back())));
        appendText(QByteArrayView(m_pos, tag - m_pos), text);
        m_pos = tag;
        if (skipOtherMarkup(&text))
            continue;
        if (m_end - m_pos < 2 || m_pos[1] != '/')
            fail(QStringLiteral("an element stands where only text may"));
        readEndTag();
        return text;
    }
}

void XmlScanner::appendText(QByteArrayView raw, QByteArray &out) const
{
    for (;;) {
        const qsizetype amp = raw.indexOf('&');
        if (amp < 0) {
            out.append(raw);
            return;
        }
        out.append(raw.first(amp));
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
