#include "payment_export.h"

#include "common/csv_line.h"
#include "common/number_format.h"
#include "common/progress_count.h"
#include "common/session.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "folio_mask.h"
#include "payment_format.h"
#include "store/data_environment.h"

namespace zolt::payment {
namespace {

// Column handles of the fields a line takes, found once.
struct ExportColumns {
    explicit ExportColumns(const Recordset &rs)
        : number(rs.columnIndex(QStringLiteral("NUMBER"))), name(rs.columnIndex(QStringLiteral("NAME"))),
          cd(rs.columnIndex(QStringLiteral("CD"))), jur(rs.columnIndex(QStringLiteral("JUR"))),
          folio(rs.columnIndex(QStringLiteral("FOLIO"))), payment(rs.columnIndex(QStringLiteral("PAYMENT"))),
          abc(rs.columnIndex(QStringLiteral("ABC"))), grossTax(rs.columnIndex(QStringLiteral("GROSS_TAX"))),
          regGrant(rs.columnIndex(QStringLiteral("REG_GRANT"))), addGrant(rs.columnIndex(QStringLiteral("ADD_GRANT"))),
          delq(rs.columnIndex(QStringLiteral("DELQ"))), legal(rs.columnIndex(QStringLiteral("LEGAL")))
    {
    }
    int number, name, cd, jur, folio, payment, abc, grossTax, regGrant, addGrant, delq, legal;
};

QString text(const Recordset &rs, qint64 row, int column)
{
    return TrimBlanks(rs.value(row, column).toString());
}

QString amount(const Recordset &rs, qint64 row, int column)
{
    return FormatAmount(rs.value(row, column).toDouble());
}

}  // namespace

qint64 ExportPayments(Session &session, const Recordset &details, const QString &mortco, const QString &path)
{
    Recordset &masks = session.de.rsFol_Mask();
    masks.ensureOpen();
    const FolioMaskTable maskTable(masks);
    // A cursor of its own over the same rows, in the same order.
    const std::unique_ptr<Recordset> rows = details.clone();
    session.shared.gFilter = AgencyFilter(mortco) + u' ';
    rows->setFilter(session.shared.gFilter);
    const ExportColumns c(*rows);
    TextFileWriter out(path, ExportFileName);
    const qint64 count = rows->recordCount();
    ProgressCount progress(session.ui, QStringLiteral("Exporting the payment list"), count);
    for (qint64 r = 0; r < count; ++r) {
        const QString jur = rows->value(r, c.jur).toString();
        const QString folio = maskTable.display(jur, rows->value(r, c.folio).toString());
        out.writeLine(JoinCsvLine({text(*rows, r, c.number), text(*rows, r, c.name), text(*rows, r, c.cd),
                                   TrimBlanks(jur), TrimBlanks(folio),
                                   amount(*rows, r, c.payment), text(*rows, r, c.abc), amount(*rows, r, c.grossTax),
                                   amount(*rows, r, c.regGrant), amount(*rows, r, c.addGrant),
                                   amount(*rows, r, c.delq), text(*rows, r, c.legal)}));
        progress.step();
    }
    out.commit();
    progress.finish();
    return count;
}

}  // namespace zolt::payment
