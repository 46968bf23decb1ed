#include "written_package.h"

#include "workbook_problem.h"
#include "xml_scanner.h"
#include "zip_archive.h"

namespace zolt::workbook {
namespace {

bool isXmlPart(const QString &name)
{
    return name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".rels"), Qt::CaseInsensitive);
}

// Every element closed, in order: a document cut short anywhere fails.
void checkWellFormed(const QByteArray &xml, const QString &partName)
{
    XmlScanner scanner(xml, partName);
    while (scanner.next() != XmlScanner::EndOfDocument) {
    }
}

}  // namespace

void CheckWrittenPackage(const QString &path)
{
    const ZipArchive archive(path, ZipArchive::Checks::Strict);
    if (archive.partCount() <= 0)
        Fail(QStringLiteral("it holds no parts"));
    for (qint64 i = 0; i < archive.partCount(); ++i) {
        const QByteArray bytes = archive.readAt(i);
        const QString name = archive.partName(i);
        if (isXmlPart(name))
            checkWellFormed(bytes, name);
    }
}

}  // namespace zolt::workbook
