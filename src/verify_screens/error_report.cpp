#include "error_report.h"

#include "store/recordset.h"
#include "widgets/table_report.h"

#include <QDir>

namespace zolt::verify_screens {

TableReport ErrorReport(const Recordset &errors, const QString &workbookPath)
{
    TableReport report(QStringLiteral("Error Report"),
                       {{QStringLiteral("Error #"), 8, true}, {QStringLiteral("Error Message"), 160}});
    report.setSubtitle(QDir::toNativeSeparators(workbookPath));
    const int number = errors.columnIndex(QStringLiteral("ErrorNumber"));
    const int message = errors.columnIndex(QStringLiteral("ErrorMsg"));
    const qint64 count = errors.recordCount();
    for (qint64 r = 0; r < count; ++r)
        report.addRow({errors.value(r, number).toString(), errors.value(r, message).toString()});
    report.setClosingLine(QStringLiteral("******************* END OF REPORT ********************"));
    return report;
}

QString PrintErrorReport(const Recordset &errors, const QString &workbookPath, const QString &pdfFolder)
{
    return PrintReport(ErrorReport(errors, workbookPath), QStringLiteral("ErrorReport"), pdfFolder,
                       QStringLiteral("Error Report Printed !"));
}

}  // namespace zolt::verify_screens
