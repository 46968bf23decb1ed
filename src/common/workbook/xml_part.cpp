#include "xml_part.h"

#include "workbook_problem.h"
#include "zip_archive.h"

namespace zolt::workbook {

void ReadXmlPart(const ZipArchive &archive, const QString &partName,
                 const std::function<void(QXmlStreamReader &)> &read)
{
    const auto device = archive.open(partName);
    QXmlStreamReader xml(device.get());
    read(xml);
    if (!xml.hasError())
        return;
    const QString deviceFailure = static_cast<ZipPartDevice *>(device.get())->failure();
    if (!deviceFailure.isEmpty())
        Fail(deviceFailure);
    Fail(QStringLiteral("the part %1 is not well-formed XML (line %2: %3)")
             .arg(partName)
             .arg(xml.lineNumber())
             .arg(xml.errorString()));
}

QStringView AttributeValue(const QXmlStreamAttributes &attributes, QLatin1StringView localName)
{
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attribute.name() == localName)
            return attribute.value();
    }
    return {};
}

}  // namespace zolt::workbook
