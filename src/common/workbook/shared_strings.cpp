#include "shared_strings.h"

#include "cell_text.h"
#include "workbook_problem.h"
#include "xml_scanner.h"
#include "zip_archive.h"

#include <algorithm>
#include <charconv>

namespace zolt::workbook {

namespace {

constexpr qsizetype MaxSharedStrings = 16 * 1024 * 1024;

// The count the table announces, to reserve room; never trusted beyond that.
qsizetype announcedCount(const XmlScanner &xml)
{
    const QByteArrayView text = xml.attribute("uniqueCount");
    qsizetype count = 0;
    std::from_chars(text.data(), text.data() + text.size(), count);
    return std::clamp<qsizetype>(count, 0, 1024 * 1024);
}

}  // namespace

QString ReadStringItem(XmlScanner &xml)
{
    QString text;
    for (int depth = 0;;) {  // depth: inside runs and their properties
        const auto token = xml.next();
        if (token == XmlScanner::StartElement) {
            if (xml.name() == "t")
                text += xml.readElementText();
            else if (xml.name() == "rPh")
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
    return DecodeEscapedCharacters(text);
}

SharedStrings ReadSharedStrings(const ZipArchive &archive, const QString &partName)
{
    SharedStrings strings;
    XmlScanner xml(archive.read(partName), partName);
    for (auto token = xml.next(); token != XmlScanner::EndOfDocument; token = xml.next()) {
        if (token != XmlScanner::StartElement)
            continue;
        if (xml.name() == "sst") {
            strings.reserve(size_t(announcedCount(xml)));
        } else if (xml.name() == "si") {
            if (qsizetype(strings.size()) >= MaxSharedStrings)
                Fail(QStringLiteral("it holds more than %1 shared strings").arg(MaxSharedStrings));
            strings.push_back(ReadStringItem(xml));
        }
    }
    return strings;
}

}  // namespace zolt::workbook
