#include "detail_report.h"

#include "common/number_format.h"
#include "widgets/table_report.h"
#include "store/recordset.h"


namespace zolt::payment_screens {
namespace {

const QString PaymentsFormat = QStringLiteral("#,##0.00");

QString amountOf(const Recordset &rs, qint64 row, int column)
{
    return FormatNumber(rs.value(row, column).toDouble(), PaymentsFormat);
}

}  // namespace

TableReport DetailReport(const Recordset &details, const QString &agency)
{
    TableReport report(QStringLiteral("Detail Report"),
                       {{QStringLiteral("Collection District, Jurisdiction, Folio Number"), 28},
                        {QStringLiteral("Mortgage #"), 13},
                        {QStringLiteral("Name of Owner"), 25},
                        {QStringLiteral("Legal Description"), 32},
                        {QStringLiteral("Type"), 5},
                        {QStringLiteral("Payment Amount"), 14, true},
                        {QStringLiteral("(A) NO Grant"), 12, true},
                        {QStringLiteral("(B) Regular Grant"), 12, true},
                        {QStringLiteral("(C) Additional Grant"), 12, true},
                        {QStringLiteral("Delinquent Tax and/or Credits"), 14, true}});
    report.setSubtitle(agency);
    auto column = [&details](const char *name) { return details.columnIndex(QLatin1String(name)); };
    const int cd = column("CD"), jur = column("JUR"), folio = column("FOLIO_DISP"), number = column("NUMBER"),
              name = column("NAME"), legal = column("LEGAL"), abc = column("ABC"), payment = column("PAYMENT"),
              gross = column("GROSS_TAX"), reg = column("REG_GRANT"), add = column("ADD_GRANT"), delq = column("DELQ");
    const qint64 count = details.recordCount();
    double total = 0;
    for (qint64 r = 0; r < count; ++r) {
        auto text = [&details, r](int c) { return details.value(r, c).toString(); };
        total += details.value(r, payment).toDouble();
        report.addRow({text(cd) + u' ' + text(jur) + u' ' + text(folio), text(number), text(name), text(legal),
                       text(abc), amountOf(details, r, payment), amountOf(details, r, gross),
                       amountOf(details, r, reg), amountOf(details, r, add), amountOf(details, r, delq)});
    }
    report.setFooterColumn(5);  // under the payment amounts
    report.addFooterLine(QStringLiteral("Total Payment Amount"), FormatNumber(total, PaymentsFormat));
    report.addFooterLine(QStringLiteral("Number of Payments"), FormatNumber(double(count), Mask::Thousands0));
    report.setClosingLine(QStringLiteral("******************* END OF REPORT ********************"));
    return report;
}

QString AgencyLine(const Recordset &groups)
{
    QStringList parts{QStringLiteral("Agency ") + groups.text(QStringLiteral("MORTCO"))};
    for (const char *name : {"NAME1", "NAME2"}) {
        if (const QString text = groups.text(QLatin1String(name)).trimmed(); !text.isEmpty())
            parts << text;
    }
    return parts.join(QStringLiteral("  "));
}

QString PrintDetailReport(const Recordset &details, const QString &agency, const QString &pdfFolder)
{
    return PrintReport(DetailReport(details, agency), QStringLiteral("DetailReport"), pdfFolder);
}

}  // namespace zolt::payment_screens
