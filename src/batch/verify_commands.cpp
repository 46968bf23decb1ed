#include "verify_commands.h"

#include "batch_command.h"
#include "listed_messages.h"
#include "common/file_checks.h"
#include "verify/verify_csv.h"
#include "verify/verify_csv_import.h"
#include "verify/verify_export.h"
#include "store/data_environment.h"
#include "verify/verify_folios.h"
#include "verify/verify_load.h"

#include <QTextStream>

namespace zolt::batch {
namespace {

// The terminal, with the import's question after six error reports
// answered as the command line says.
class ImportDialog : public TerminalPassage {
public:
    ImportDialog(UserDialog &terminal, bool goOn) : TerminalPassage(terminal), m_goOn(goOn) {}
    bool askYesNo(const QString &, const QString &, MessageIcon) override { return m_goOn; }

private:
    bool m_goOn;
};

}  // namespace

int VerifyLoad(Session &session, const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(CommandNamed(QStringLiteral("verify-load")), QStringLiteral("verify-load takes one file name"));
    PrintedList list;
    ListedMessagesDialog listedOnly(session.ui);
    Session listing{session.de, listedOnly, session.shared};
    const verify::VerifyLoadResult r = verify::Xls2Mdb(listing, args.first(), &list);
    if (r.trapped || r.loaded == 0)
        return Exit::Failed;
    Recordset &folios = session.de.rsVerify();
    folios.ensureOpen();
    QTextStream(stdout) << verify::LoadedFoliosLine(verify::CountMarks(folios)) << "\n";
    const bool rejected = r.notLoaded > 0 || r.formatWarnings > 0 || r.rowsNotRead > 0 || !r.cutValues.isEmpty();
    return rejected ? Exit::Rejected : Exit::Done;
}

int VerifyExport(Session &session, const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(CommandNamed(QStringLiteral("verify-export")),
                          QStringLiteral("verify-export takes one file name"));
    // A read-only workbook is replaced only when --yes answers the question.
    ConfirmReadOnlyFile(args.first(), ZoltFileQuestions.readOnlyTitle, session.ui);
    if (!verify::Mdb2Xls(session, args.first()))
        return Exit::Failed;
    QTextStream(stdout) << "Wrote " << args.first() << "\n";
    return Exit::Done;
}

int VerifyCsvExport(Session &session, const QStringList &args)
{
    if (!args.isEmpty())
        return UsageError(CommandNamed(QStringLiteral("verify-csv-export")),
                          QStringLiteral("verify-csv-export takes no arguments"));
    QString step = QStringLiteral("  1");
    try {
        QTextStream(stdout) << verify::ExportCompleteText(verify::ExportVerifyCsv(session, verify::VerifyCsvPath(), step))
                            << "\n";
        return Exit::Done;
    } catch (const std::exception &e) {
        session.ui.message(verify::ExportFailedBox(step, e), MessageIcon::Critical);
        return Exit::Failed;
    }
}

int VerifyCsvImport(Session &session, const QStringList &args)
{
    const bool stop = args.contains(QStringLiteral("--stop-after-errors"));
    if (args.size() != (stop ? 2 : 1) || (args.first() != u"1" && args.first() != u"2"))
        return UsageError(CommandNamed(QStringLiteral("verify-csv-import")),
                          QStringLiteral("verify-csv-import takes the option, 1 or 2"));
    const QString mode = args.first() == u"1" ? verify::ImportOption1 : verify::ImportOption2;
    ImportDialog dialog(session.ui, !stop);
    Session importing{session.de, dialog, session.shared};
    const bool whole = verify::ImportVerifyCsv(importing, mode, verify::VerifyCsvPath());
    QTextStream(stdout) << (whole ? verify::ImportCompleteText(mode) : verify::ImportAbnormalText(mode)).trimmed()
                        << "\n";
    return whole ? Exit::Done : Exit::Failed;
}

}  // namespace zolt::batch
