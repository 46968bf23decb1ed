#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace zolt::workbook {

// A pull reader for the large parts of a workbook (worksheets, shared
// strings), several times faster than QXmlStreamReader on them. It reads a
// whole part held in memory as UTF-8 and knows what these parts use:
// elements, attributes, text with the predefined and numeric entities,
// CDATA, comments and processing instructions. Text between elements is
// passed over unless asked for. Elements are named by their local name (the
// prefix is dropped). A document type declaration, mismatched tags, a bad
// entity or a part that ends inside an element throw WorkbookProblem.
class XmlScanner {
public:
    enum Token { StartElement, EndElement, EndOfDocument };

    XmlScanner(const QByteArray &xml, const QString &partName);

    Token next();
    // The current element's local name.
    QByteArrayView name() const { return m_name; }
    // An attribute of the current start element as written (entities not
    // replaced), empty when it is missing.
    QByteArrayView attribute(QByteArrayView name) const;

    // On a start element: its text, up to and including its end tag. A child
    // element inside it is an error.
    QString readElementText() { return QString::fromUtf8(readElementBytes()); }
    QByteArray readElementBytes();  // the same as UTF-8
    // On a start element: passes over everything up to its end tag.
    void skipElement();

private:
    struct Attribute {
        QByteArrayView name;
        QByteArrayView value;
    };

    [[noreturn]] void fail(const QString &reason) const;
    bool startsWith(QByteArrayView text) const;
    void skipPast(QByteArrayView terminator);
    void skipSpace();
    QByteArrayView readName();
    void readStartTag();
    void readEndTag();
    // Markup that is neither a start nor an end tag; answers whether it was.
    bool skipOtherMarkup(QByteArray *cdata);
    void appendText(QByteArrayView raw, QByteArray &out) const;

    QByteArray m_xml;
    QString m_partName;
    const char *m_begin;
    const char *m_pos;
    const char *m_end;
    QByteArrayView m_name;
    std::vector<Attribute> m_attributes;
    std::vector<QByteArrayView> m_open;  // names of the open elements
    bool m_selfClosing = false;          // the current start element ends at once
    bool m_sawRoot = false;
};

}  // namespace zolt::workbook
