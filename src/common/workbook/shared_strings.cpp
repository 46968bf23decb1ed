#include "shared_strings.h"

#include "cell_text.h"
#include "workbook_problem.h"
#include "xml_scanner.h"
#include "zip_archive.h"

#include <algorithm>
#include <charconv>

namespace zolt::workbook {

namespace {

// The count the table announces, to reserve room; never trusted beyond that.
qsizetype announcedCount(const XmlScanner &xml)
{
    const QByteArrayView text = xml.attribute("uniqueCount");
    qsizetype count = 0;
    std::from_chars(text.data(), text.data() + text.size(), count);
    return std::clamp<qsizetype>(count, 0, 1024 * 1024);
}

}  // namespace

void AppendStringItem(XmlScanner &xml, QByteArray &out)
{
    const qsizetype start = out.size();
    for (int depth = 0;;) {  // depth: inside runs and their properties
        const auto token = xml.next();
        if (token == XmlScanner::StartElement) {
            if (xml.isNamed("t"))
                xml.appendElementText(out, start + MaxCellTextBytes);
            else if (xml.isNamed("rPh"))
                xml.skipElement();
            else
                ++depth;
        } else if (token == XmlScanner::EndElement) {
            if (depth-- == 0)
                break;
        } else {
            break;
        }
    }
    DecodeEscapedCharacters(out, start);
}

SharedStrings ReadSharedStrings(const ZipArchive &archive, const QString &partName)
{
    SharedStrings strings;
    const auto part = archive.open(partName);
    part->readAhead();
    XmlScanner xml(*part);
    for (auto token = xml.next(); token != XmlScanner::EndOfDocument; token = xml.next()) {
        if (token != XmlScanner::StartElement)
            continue;
        if (xml.isNamed("sst")) {
            strings.reserve(announcedCount(xml));
        } else if (xml.isNamed("si")) {
            if (strings.size() >= SharedStrings::MaxCount)
                Fail(QStringLiteral("it holds more than %1 shared strings").arg(SharedStrings::MaxCount));
            AppendStringItem(xml, strings.text());
            strings.endString();
        }
    }
    return strings;
}

}  // namespace zolt::workbook
