#pragma once

#include <QString>

namespace zolt {
class Recordset;
class TableReport;
}

namespace zolt::verify_screens {

// The error report of the return check: ErrorNumber and ErrorMsg of every
// row of a recordset over ErrorMessage, in its order, every page naming the
// workbook checked.
TableReport ErrorReport(const Recordset &errors, const QString &workbookPath);

// Prints it (PrintReport), as "ErrorReport.pdf" in pdfFolder where there is
// no printer. Answers "Error Report Printed !", or where the PDF went.
QString PrintErrorReport(const Recordset &errors, const QString &workbookPath, const QString &pdfFolder);

}  // namespace zolt::verify_screens
