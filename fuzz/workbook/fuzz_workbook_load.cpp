// Feeds arbitrary bytes to the verification load, over a working database
// that lives as long as the fuzzer. A crash, a sanitizer report, a hang or
// memory past the limit is a finding; a workbook refused is not.
//
// Input that starts like a zip file is loaded as the workbook itself.
// Anything else becomes the folio sheet of a workbook whose reference sheets
// are valid (jurisdiction 010 of district 05, folios of 8 digits), and whose
// shared strings 0 to 13 are the folio sheet's headers and 14 to 19 some
// values, so that mutations reach the checks of the rows.

#include "support/fuzz_workplace.h"
#include "verify/verify_load.h"
#include "workbook_package.h"

#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>

using namespace zolt;

namespace {

QByteArray inlineCell(const char *ref, const char *text)
{
    return QByteArray("<c r=\"") + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// A sheet of rows of inline texts, columns from A.
QByteArray sheetOf(const QList<QList<const char *>> &rows)
{
    QByteArray xml = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QByteArray row = QByteArray::number(r + 1);
        xml += "<row r=\"" + row + "\">";
        for (qsizetype c = 0; c < rows[r].size(); ++c)
            xml += inlineCell(QByteArray(1, char('A' + c)).append(row).constData(), rows[r][c]);
        xml += "</row>";
    }
    return xml + "</sheetData></worksheet>";
}

const QList<QByteArray> &referenceSheets()
{
    static const QList<QByteArray> sheets = {
        sheetOf({{"JURISDICTION CODE", "FOLIO LENGTH", "FOLIO MASK"}, {"010", "8", "###-#####"}, {"007", "5", "#####"}}),
        sheetOf({{"COLLECTION DISTRICT CODE", "COLLECTION DISTRICT NAME"}, {"05", "District Five"}}),
        sheetOf({{"JURISDICTION CODE", "JURISDICTION NAME"}, {"010", "Ten"}, {"007", "Seven"}}),
        sheetOf({{"COLLECTION DISTRICT CODE", "JURISDICTION CODE"}, {"05", "010"}, {"05", "007"}}),
    };
    return sheets;
}

const QByteArray SharedStrings =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<si><t>ACD</t></si><si><t>MORTGAGE CO.</t></si><si><t>MORTGAGE NUMBER</t></si>"
    "<si><t>COLLECTION DISTRICT CODE</t></si><si><t>JURISDICTION CODE</t></si><si><t>FOLIO NUMBER</t></si>"
    "<si><t>PROPERTY IDENTIFIER</t></si><si><t>NAME</t></si><si><t>ADDRESS 1</t></si><si><t>ADDRESS 2</t></si>"
    "<si><t>ADDRESS 3</t></si><si><t>ADDRESS 4</t></si><si><t>ADDRESS 5</t></si><si><t>LEGAL DESCRIPTION</t></si>"
    "<si><t>0001</t></si><si><t>05</t></si><si><t>010</t></si><si><t>SMITH JOHN</t></si>"
    "<si><r><t>LOT 1 </t></r><r><t>BLOCK 2</t></r></si><si><t xml:space=\"preserve\"> A </t></si></sst>";

class NoList : public verify::VerifyMessageList {
public:
    void addLine(const QString &) override {}
    void enablePrintErrors() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Workplace &w = fuzz::TheWorkplace();
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = w.file("MortNo.xlsx");
    if (input.startsWith("PK")) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) != input.size())
            return 0;
    } else if (!fuzz::WriteWorkbookAround(path, QList<QByteArray>{input} + referenceSheets(), SharedStrings)) {
        return 0;
    }
    NoList list;
    const verify::VerifyLoadResult result = verify::Xls2Mdb(*w.session, path, &list);
    fuzz::Check(result.loaded >= 0 && result.notLoaded >= 0);
    return 0;
}
