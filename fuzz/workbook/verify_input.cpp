#include "verify_input.h"

#include "support/fuzz_workplace.h"
#include "workbook_package.h"

#include <QFile>
#include <QList>

namespace zolt::fuzz {
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

}  // namespace

bool WriteVerifyWorkbookInput(const QString &path, const QByteArray &input)
{
    if (!input.startsWith("PK"))
        return WriteWorkbookAround(path, QList<QByteArray>{input} + referenceSheets(), SharedStrings);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input) == input.size();
}

QString WorkbookOfInput(const uint8_t *data, size_t size)
{
    const QString path = TheWorkplace().file("MortNo.xlsx");
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    return WriteVerifyWorkbookInput(path, input) ? path : QString();
}

}  // namespace zolt::fuzz
