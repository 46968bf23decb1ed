#include "workbook_package.h"

#include <QFile>
#include <utility>
#include <vector>
#include <zip.h>

namespace zolt::fuzz {
namespace {

const QByteArray RootRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"r\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\""
    " Target=\"xl/workbook.xml\"/></Relationships>";

QByteArray workbookPart(qsizetype sheets)
{
    QByteArray xml = "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\""
                     " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>";
    for (qsizetype i = 1; i <= sheets; ++i)
        xml += "<sheet name=\"S" + QByteArray::number(i) + "\" sheetId=\"" + QByteArray::number(i) + "\" r:id=\"s" +
               QByteArray::number(i) + "\"/>";
    return xml + "</sheets></workbook>";
}

QByteArray workbookRelationships(qsizetype sheets)
{
    QByteArray xml = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (qsizetype i = 1; i <= sheets; ++i)
        xml += "<Relationship Id=\"s" + QByteArray::number(i) +
               "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\""
               " Target=\"worksheets/sheet" + QByteArray::number(i) + ".xml\"/>";
    return xml + "<Relationship Id=\"t\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                 "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
}

}  // namespace

bool WriteWorkbookAround(const QString &path, const QList<QByteArray> &sheets, const QByteArray &sharedStrings)
{
    std::vector<std::pair<QByteArray, QByteArray>> parts = {
        {"_rels/.rels", RootRelationships},
        {"xl/workbook.xml", workbookPart(sheets.size())},
        {"xl/_rels/workbook.xml.rels", workbookRelationships(sheets.size())},
        {"xl/sharedStrings.xml", sharedStrings},
    };
    for (qsizetype i = 0; i < sheets.size(); ++i)
        parts.emplace_back("xl/worksheets/sheet" + QByteArray::number(i + 1) + ".xml", sheets[i]);

    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_TRUNCATE | ZIP_CREATE, &code);
    if (!archive)
        return false;
    for (const auto &[name, bytes] : parts) {
        // The archive reads the buffers when it is closed: they outlive it here.
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive, name.constData(), source, 0) : -1;
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    return zip_close(archive) == 0;
}

}  // namespace zolt::fuzz
