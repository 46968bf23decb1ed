#pragma once

#include <QString>

namespace zolt {
class Recordset;
class TableReport;
class UserDialog;
}

namespace zolt::payment_screens {

// The report "Detail Report": the payments of a recordset of Detail as it is
// filtered and ordered now, with their total and count, every page naming
// the agency (AgencyLine).
TableReport DetailReport(const Recordset &details, const QString &agency);

// "Agency 0012  ACME MORTGAGE LTD  ATTN PROPERTY TAX DEPT": the current
// agency of a recordset of Group, its number and names.
QString AgencyLine(const Recordset &groups);

// Prints the report (PrintReport), as "DetailReport.pdf" where there is no
// printer.
QString PrintDetailReport(const Recordset &details, const QString &agency, const QString &pdfFolder);

}  // namespace zolt::payment_screens
