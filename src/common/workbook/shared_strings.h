#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace zolt::workbook {

class XmlScanner;
class ZipArchive;

// The table of strings that cells refer to by number, held as one block of
// UTF-8 text (a table of a quarter of a million strings costs a few
// megabytes, not a quarter of a million allocations).
class SharedStrings {
public:
    static constexpr qsizetype MaxCount = 16 * 1024 * 1024;

    qsizetype size() const { return qsizetype(m_ends.size()); }
    // The string at index, UTF-8; valid while the table lives.
    QByteArrayView at(qsizetype index) const
    {
        const qsizetype start = index == 0 ? 0 : qsizetype(m_ends[size_t(index - 1)]);
        return QByteArrayView(m_text).sliced(start, qsizetype(m_ends[size_t(index)]) - start);
    }

    void reserve(qsizetype count) { m_ends.reserve(size_t(count)); }
    // The text appended since the last string ends the next string.
    QByteArray &text() { return m_text; }
    void endString() { m_ends.push_back(quint64(m_text.size())); }

private:
    QByteArray m_text;
    std::vector<quint64> m_ends;  // where each string ends in m_text
};

// Reads the table from its part.
SharedStrings ReadSharedStrings(const ZipArchive &archive, const QString &partName);

// Appends the text of the string item the scanner stands on (a shared <si>
// or an inline <is>) to out, UTF-8: plain <t>, or the <t> of every rich-text
// run joined. Phonetic runs (<rPh>) are not part of the text. Escapes are
// undone. Leaves the scanner on the item's end. An item of more than
// MaxCellText characters is refused.
void AppendStringItem(XmlScanner &xml, QByteArray &out);

}  // namespace zolt::workbook
