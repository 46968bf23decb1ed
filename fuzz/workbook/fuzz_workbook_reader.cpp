// Feeds arbitrary bytes to the workbook reader; every sheet is read and every
// cell visited. Anything but a ZoltError is a finding.
//
// Input that starts like a zip file is read as the workbook file itself.
// Anything else becomes the worksheet part of an otherwise valid workbook, so
// that mutations reach the XML reading directly instead of dying in the zip
// checksums.

#include "common/errors.h"
#include "common/workbook/workbook_reader.h"
#include "workbook_package.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryFile>
#include <cstddef>
#include <cstdint>

namespace {

const QByteArray SharedStrings = "<sst><si><t>a</t></si><si><r><t>b</t></r><r><t>c</t></r></si></sst>";

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
        if (!zolt::fuzz::WriteWorkbookAround(file.fileName(), {input}, SharedStrings))
            return 0;
    }
    readEverything(file.fileName());
    return 0;
}
