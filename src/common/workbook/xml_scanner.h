#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <optional>
#include <string>
#include <vector>

namespace zolt::workbook {

class PartStream;

// A pull reader for the parts of a workbook, several times faster than
// QXmlStreamReader on them. It streams the part through a buffer of a few
// pages, so a part of any size costs the same memory; parts are UTF-8 (a
// UTF-16 part, marked by its byte order mark, is turned into UTF-8 on the way
// in). It knows what these parts use: elements, attributes, text with the
// predefined and numeric entities, CDATA, comments and processing
// instructions. Text between elements is passed over unless asked for.
// Elements and attributes are named by their local name (the prefix is
// dropped). A document type declaration, mismatched tags, a bad entity,
// elements nested deeper than MaxDepth, a tag longer than MaxTagSize or a
// part that ends inside an element throw WorkbookProblem.
class XmlScanner {
public:
    enum Token { StartElement, EndElement, EndOfDocument };

    static constexpr int MaxDepth = 256;
    static constexpr qsizetype MaxTagSize = 1 << 20;
    static constexpr qsizetype MaxTextSize = qsizetype(1) << 40;

    explicit XmlScanner(PartStream &input);

    Token next();
    // The current element's local name. Names and attribute values are views
    // into the buffer: they hold until the next call that moves the scanner.
    QByteArrayView name() const { return m_name; }
    bool isNamed(QByteArrayView localName) const { return sameBytes(m_name, localName); }
    // An attribute of the current start element as written (entities not
    // replaced), empty when it is missing. Namespace declarations are not
    // attributes here.
    QByteArrayView attribute(QByteArrayView localName) const
    {
        for (const Attribute &attribute : m_attributes) {
            if (sameBytes(attribute.name, localName))
                return attribute.value;
        }
        return {};
    }
    // The same with its entities replaced.
    QString attributeText(QByteArrayView localName) const;

    // On a start element: appends its text (UTF-8) to out and moves past its
    // end tag. A child element inside it is an error, and so is a text that
    // makes out longer than maxSize: a text longer than a cell can hold.
    void appendElementText(QByteArray &out, qsizetype maxSize = MaxTextSize);
    // On a start element: passes over everything up to its end tag.
    void skipElement();

    // A name being scanned.
    struct Name {
        const char *end;    // null when the buffer ends inside the name
        const char *local;  // after the prefix's colon
    };

private:
    struct Attribute {
        QByteArrayView name;  // local
        QByteArrayView value;
    };

    // Names are short: compared here rather than through a library call.
    static bool sameBytes(QByteArrayView a, QByteArrayView b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a[i] != b[i])
                return false;
        }
        return true;
    }

    [[noreturn]] void fail(const QString &reason) const;
    // Moves the bytes from the position on to the front of the buffer and
    // reads more after them. Answers false when the part has ended. With
    // grow, a buffer more than half full is made larger.
    bool readMore(bool grow = false);
    // At least n bytes from the position on, unless the part ends first.
    bool ensure(qsizetype n);
    qsizetype readInput(char *data, qsizetype max);
    void detectEncoding();

    // The name of the tag starting at start; one that is missing fails.
    Name tagName(const char *start) const;
    bool parseStartTag();
    bool parseEndTag();
    void readTag(bool (XmlScanner::*parse)());
    // Markup at the position that is neither a start nor an end tag: passes
    // over it (CDATA appended to cdata when given) and answers true.
    bool skipOtherMarkup(QByteArray *cdata);
    void skipPast(QByteArrayView terminator, QByteArray *out);
    void appendText(QByteArrayView raw, QByteArray &out) const;
    void push(QByteArrayView qualifiedName);
    void pop() { m_openEnds.pop_back(); }
    QByteArrayView top() const;
    Token endOfDocument();

    PartStream &m_input;
    QString m_partName;
    std::optional<QStringDecoder> m_utf16;  // a UTF-16 part
    QByteArray m_raw;                       // its bytes before they are turned into UTF-8
    bool m_started = false;
    bool m_inputEnded = false;

    QByteArray m_buffer;
    char *m_begin;
    const char *m_pos;
    const char *m_end;
    qint64 m_linesBefore = 0;  // line breaks in the bytes no longer in the buffer

    QByteArrayView m_name;
    std::vector<Attribute> m_attributes;
    std::string m_openNames;        // qualified names of the open elements, one after another
    std::vector<size_t> m_openEnds;  // where each ends in m_openNames
    bool m_selfClosing = false;     // the current start element ends at once
    bool m_sawRoot = false;
};

}  // namespace zolt::workbook
