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
void checkWellFormed(PartStream &part)
{
    XmlScanner scanner(part);
    while (scanner.next() != XmlScanner::EndOfDocument) {
    }
}

// Unpacks the part to its end, which checks its size and checksum.
void checkUnpacks(PartStream &part)
{
    char buffer[64 * 1024];
    while (part.read(buffer, sizeof buffer) > 0) {
    }
}

}  // namespace

void CheckWrittenPackage(const QString &path)
{
    const ZipArchive archive(path, ZipArchive::Checks::Strict);
    if (archive.partCount() <= 0)
        Fail(QStringLiteral("it holds no parts"));
    for (qint64 i = 0; i < archive.partCount(); ++i) {
        const auto part = archive.openAt(i);
        part->readAhead();
        if (isXmlPart(part->partName()))
            checkWellFormed(*part);
        checkUnpacks(*part);
    }
}

}  // namespace zolt::workbook
