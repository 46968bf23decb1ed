#include "zip_fixture.h"

#include <QFile>
#include <stdexcept>
#include <zip.h>

namespace zolt::test {

void WriteZip(const QString &path, const std::map<QString, QByteArray> &parts)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        throw std::runtime_error("cannot create the zip file");
    for (const auto &[name, bytes] : parts) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add a part to the zip file");
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write the zip file");
    }
}

QByteArray ReadZipPart(const QString &path, const QString &name)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return {};
    QByteArray bytes;
    if (zip_file_t *file = zip_fopen(archive, name.toUtf8().constData(), 0)) {
        char buffer[65536];
        zip_int64_t n;
        while ((n = zip_fread(file, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, n);
        zip_fclose(file);
    }
    zip_discard(archive);
    return bytes;
}

QByteArray WorksheetXml(const QByteArray &sheetData)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<sheetData>" + sheetData + "</sheetData></worksheet>";
}

std::map<QString, QByteArray> MinimalWorkbook(const std::vector<std::pair<QString, QByteArray>> &sheets,
                                              const QByteArray &sharedStrings)
{
    const QByteArray relsNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QByteArray sheetList;
    QByteArray relationships;
    std::map<QString, QByteArray> parts;
    int n = 0;
    for (const auto &[name, xml] : sheets) {
        const QByteArray id = QByteArray::number(++n);
        sheetList += "<sheet name=\"" + name.toUtf8() + "\" sheetId=\"" + id + "\" r:id=\"rId" + id + "\"/>";
        relationships += "<Relationship Id=\"rId" + id + "\" Type=\"" + relsNs
            + "/worksheet\" Target=\"worksheets/sheet" + id + ".xml\"/>";
        parts[QStringLiteral("xl/worksheets/sheet%1.xml").arg(n)] = xml;
    }
    if (!sharedStrings.isEmpty()) {
        relationships += "<Relationship Id=\"rIdS\" Type=\"" + relsNs + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parts[QStringLiteral("xl/sharedStrings.xml")] = sharedStrings;
    }
    parts[QStringLiteral("_rels/.rels")] =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" + relsNs + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
        "</Relationships>";
    parts[QStringLiteral("xl/workbook.xml")] =
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" + relsNs + "\">"
        "<sheets>" + sheetList + "</sheets></workbook>";
    parts[QStringLiteral("xl/_rels/workbook.xml.rels")] =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" + relationships
        + "</Relationships>";
    return parts;
}

}  // namespace zolt::test
