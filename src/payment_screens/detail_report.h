#pragma once

#include <QString>

namespace zolt {
class Recordset;
class TableReport;
class UserDialog;
}

namespace zolt::payment_screens {

// The report "Detail Report": the payments of a recordset of Detail as it is
// filtered and ordered now, with their total and count.
TableReport DetailReport(const Recordset &details);

// Prints the report to the default printer without a dialog; on a machine
// without one it is saved as "DetailReport.pdf" in pdfFolder. Answers what
// the screen's message line says: "Report Printed!", or where the PDF went.
// Throws ZoltError when the printout cannot be made or saved.
QString PrintDetailReport(const Recordset &details, const QString &pdfFolder);

}  // namespace zolt::payment_screens
