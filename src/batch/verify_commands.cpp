#include "verify_commands.h"

#include "batch_command.h"
#include "listed_messages.h"
#include "common/file_checks.h"
#include "verify/verify_export.h"
#include "store/data_environment.h"
#include "verify/verify_folios.h"
#include "verify/verify_load.h"

#include <QTextStream>

namespace zolt::batch {
namespace {

const BatchCommand &command(const QString &name)
{
    const auto &all = Commands();
    return *std::find_if(all.begin(), all.end(), [&name](const BatchCommand &c) { return c.name == name; });
}

}  // namespace

int VerifyLoad(Session &session, const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(command(QStringLiteral("verify-load")), QStringLiteral("verify-load takes one file name"));
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
        return UsageError(command(QStringLiteral("verify-export")),
                          QStringLiteral("verify-export takes one file name"));
    // A read-only workbook is replaced only when --yes answers the question.
    ConfirmReadOnlyFile(args.first(), ZoltFileQuestions.readOnlyTitle, session.ui);
    if (!verify::Mdb2Xls(session, args.first()))
        return Exit::Failed;
    QTextStream(stdout) << "Wrote " << args.first() << "\n";
    return Exit::Done;
}

}  // namespace zolt::batch
