#include "shared_strings.h"

#include "cell_text.h"
#include "workbook_problem.h"
#include "xml_part.h"

namespace zolt::workbook {

namespace {

constexpr qsizetype MaxSharedStrings = 16 * 1024 * 1024;

}  // namespace

QString ReadStringItem(QXmlStreamReader &xml)
{
    QString text;
    int depth = 0;  // inside runs and their properties
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("t"))
                text += xml.readElementText();
            else if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else
                ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth-- == 0)
                break;
        }
    }
    return DecodeEscapedCharacters(text);
}

SharedStrings ReadSharedStrings(const ZipArchive &archive, const QString &partName)
{
    SharedStrings strings;
    ReadXmlPart(archive, partName, [&](QXmlStreamReader &xml) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("sst")) {
                const qsizetype announced = xml.attributes().value(QLatin1String("uniqueCount")).toLongLong();
                strings.reserve(std::clamp<qsizetype>(announced, 0, 1024 * 1024));
            } else if (xml.name() == QLatin1String("si")) {
                if (qsizetype(strings.size()) >= MaxSharedStrings)
                    Fail(QStringLiteral("it holds more than %1 shared strings").arg(MaxSharedStrings));
                strings.push_back(ReadStringItem(xml));
            }
        }
    });
    return strings;
}

}  // namespace zolt::workbook
