#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <functional>

namespace zolt::workbook {

class ZipArchive;

// Streams one XML part of the package through read. When the part is damaged
// or is not well-formed XML, throws WorkbookProblem naming the part.
void ReadXmlPart(const ZipArchive &archive, const QString &partName,
                 const std::function<void(QXmlStreamReader &)> &read);

// The value of the attribute with this local name, whatever its namespace.
QStringView AttributeValue(const QXmlStreamAttributes &attributes, QLatin1StringView localName);

}  // namespace zolt::workbook
