// Feeds arbitrary bytes to the workbook reader; every sheet is read and every
// cell visited. Anything but a ZoltError is a finding.
//
// Input that starts like a zip file is read as the workbook file itself.
// Anything else becomes the worksheet part of an otherwise valid workbook, so
// that mutations reach the XML reading directly instead of dying in the zip
// checksums.

#include "common/errors.h"
#include "common/workbook/workbook_reader.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryFile>
#include <cstddef>
#include <cstdint>
#include <zip.h>

namespace {

const QByteArray RootRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"r\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\""
    " Target=\"xl/workbook.xml\"/></Relationships>";
const QByteArray Workbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"s\"/></sheets></workbook>";
const QByteArray WorkbookRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"s\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\""
    " Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"t\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\""
    " Target=\"sharedStrings.xml\"/></Relationships>";
const QByteArray SharedStrings = "<sst><si><t>a</t></si><si><r><t>b</t></r><r><t>c</t></r></si></sst>";

bool writeWorkbookAround(const QString &path, const QByteArray &sheet)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    const std::pair<const char *, const QByteArray *> parts[] = {
        {"_rels/.rels", &RootRelationships},
        {"xl/workbook.xml", &Workbook},
        {"xl/_rels/workbook.xml.rels", &WorkbookRelationships},
        {"xl/sharedStrings.xml", &SharedStrings},
        {"xl/worksheets/sheet1.xml", &sheet},
    };
    for (const auto &[name, bytes] : parts) {
        zip_source_t *source = zip_source_buffer(archive, bytes->constData(), zip_uint64_t(bytes->size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive, name, source, 0) : -1;
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    return zip_close(archive) == 0;
}

void readEverything(const QString &path)
{
    try {
        auto reader = zolt::workbook::WorkbookReader::open(path);
        for (int position = 1; position <= reader->sheetCount(); ++position) {
            reader->sheetName(position);
            zolt::workbook::SheetRows &rows = reader->rows(position, 64);
            qsizetype length = 0;
            while (rows.moveToNextListed()) {
                for (int column = 1; column <= rows.lastFilledColumn(); ++column)
                    length += rows.cell(column).size();
            }
            rows.finish();
            (void)length;
        }
    } catch (const zolt::ZoltError &) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QTemporaryFile file;
    if (!file.open())
        return 0;
    if (input.startsWith("PK")) {
        file.write(input);
        file.close();
    } else {
        file.close();
        if (!writeWorkbookAround(file.fileName(), input))
            return 0;
    }
    readEverything(file.fileName());
    return 0;
}
