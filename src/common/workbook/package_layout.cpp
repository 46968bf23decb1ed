#include "package_layout.h"

#include "workbook_problem.h"
#include "xml_scanner.h"
#include "zip_archive.h"

#include <QUrl>
#include <map>

namespace zolt::workbook {

namespace {

const QString DefaultWorkbookPart = QStringLiteral("xl/workbook.xml");

struct Relationship {
    QString type;
    QString target;  // resolved part name
};
using Relationships = std::map<QString, Relationship>;  // by id

QString folderOf(const QString &partName)
{
    return partName.left(partName.lastIndexOf(QLatin1Char('/')) + 1);
}

QString relationshipsPartOf(const QString &partName)
{
    const QString folder = folderOf(partName);
    return folder + QLatin1String("_rels/") + partName.mid(folder.size()) + QLatin1String(".rels");
}

QString resolvePartName(const QString &sourceFolder, const QString &target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    const QString path = decoded.startsWith(QLatin1Char('/')) ? decoded : sourceFolder + decoded;
    QStringList parts;
    for (const QString &segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (segment != QLatin1String("."))
            parts.append(segment);
    }
    return parts.join(QLatin1Char('/'));
}

// Relationship types differ between the transitional and the strict
// vocabulary only in their prefix.
bool hasType(const Relationship &relationship, QLatin1StringView kind)
{
    return relationship.type.endsWith(QLatin1Char('/') + kind);
}

// Calls take for each start element of the part that has this local name,
// with the scanner standing on it.
template <typename Take>
void forEachElement(const ZipArchive &archive, const QString &partName, QByteArrayView name, Take take)
{
    const auto part = archive.open(partName);
    XmlScanner xml(*part);
    for (auto token = xml.next(); token != XmlScanner::EndOfDocument; token = xml.next()) {
        if (token == XmlScanner::StartElement && xml.isNamed(name))
            take(xml);
    }
}

Relationships readRelationships(const ZipArchive &archive, const QString &sourcePart)
{
    Relationships relationships;
    const QString relsPart = relationshipsPartOf(sourcePart);
    if (!archive.contains(relsPart))
        return relationships;
    const QString sourceFolder = folderOf(sourcePart);
    forEachElement(archive, relsPart, "Relationship", [&](const XmlScanner &xml) {
        if (xml.attributeText("TargetMode") == QLatin1String("External"))
            return;
        relationships[xml.attributeText("Id")] = {xml.attributeText("Type"),
                                                   resolvePartName(sourceFolder, xml.attributeText("Target"))};
    });
    return relationships;
}

QString findWorkbookPart(const ZipArchive &archive)
{
    // The package relationships name the workbook part; a package without
    // them is read from the usual place.
    for (const auto &[id, relationship] : readRelationships(archive, QString())) {
        if (hasType(relationship, QLatin1StringView("officeDocument")) && archive.contains(relationship.target))
            return relationship.target;
    }
    if (archive.contains(DefaultWorkbookPart))
        return DefaultWorkbookPart;
    Fail(QStringLiteral("it holds no workbook part (%1)").arg(DefaultWorkbookPart));
}

struct ListedSheet {
    QString name;
    QString relationshipId;
};

std::vector<ListedSheet> readSheetList(const ZipArchive &archive, const QString &workbookPart)
{
    std::vector<ListedSheet> sheets;
    // r:id, in the transitional or the strict relationships namespace.
    forEachElement(archive, workbookPart, "sheet", [&](const XmlScanner &xml) {
        sheets.push_back({xml.attributeText("name"), xml.attributeText("id")});
    });
    return sheets;
}

}  // namespace

PackageLayout ReadPackageLayout(const ZipArchive &archive)
{
    const QString workbookPart = findWorkbookPart(archive);
    const Relationships relationships = readRelationships(archive, workbookPart);
    PackageLayout layout;
    for (const ListedSheet &listed : readSheetList(archive, workbookPart)) {
        const auto found = relationships.find(listed.relationshipId);
        if (found == relationships.end())
            Fail(QStringLiteral("the sheet \"%1\" has no part in the package").arg(listed.name));
        layout.sheets.push_back({listed.name, found->second.target});
    }
    for (const auto &[id, relationship] : relationships) {
        if (hasType(relationship, QLatin1StringView("sharedStrings")))
            layout.sharedStringsPart = relationship.target;
    }
    return layout;
}

}  // namespace zolt::workbook
