#include "batch_command.h"
#include "payment_commands.h"
#include "verify_commands.h"
#include "verify_return_command.h"

#include "common/errors.h"
#include "store/sqlite_db.h"

#include <QTextStream>
#include <algorithm>

namespace zolt::batch {
namespace {

int initDb(const QStringList &args)
{
    QTextStream out(stdout);
    if (args.size() != 1)
        return UsageError(Commands().front(), QStringLiteral("init-db takes one file name"));
    try {
        CreateDatabaseFile(args.first());
    } catch (const ZoltError &e) {
        out << "Cannot create " << args.first() << ": " << e.description() << "\n";
        return Exit::Failed;
    }
    out << "Created " << args.first() << "\n";
    return Exit::Done;
}

}  // namespace

const std::vector<BatchCommand> &Commands()
{
    static const std::vector<BatchCommand> commands = {
        {QStringLiteral("init-db"), QStringLiteral("FILE"),
         QStringLiteral("create a fresh database with every table (an existing file is never touched)"),
         nullptr, initDb},
        {QStringLiteral("payment-load"), QStringLiteral("FILE"),
         QStringLiteral("load a payment file; lists its agencies, or its duplicate folios (exit 3)"),
         PaymentLoad, nullptr},
        {QStringLiteral("payment-save"), QStringLiteral("FILE [--year YYYY]"),
         QStringLiteral("save the payment data to FILE, keeping the previous file as a backup"),
         PaymentSave, nullptr},
        {QStringLiteral("payment-export"), QStringLiteral("AGENCY"),
         QStringLiteral("write Export.csv of the agency's payments in the current folder"), PaymentExport, nullptr},
        {QStringLiteral("verify-load"), QStringLiteral("FILE"),
         QStringLiteral("load a verification workbook, printing its messages (exit 3: rows not loaded, values cut, or rows "
                        "left unread below the end of a sheet)"),
         VerifyLoad, nullptr},
        {QStringLiteral("verify-export"), QStringLiteral("FILE"),
         QStringLiteral("write the verification workbook to FILE, keeping the previous one as a backup"),
         VerifyExport, nullptr},
        {QStringLiteral("verify-return"), QStringLiteral("FILE"),
         QStringLiteral("check a returned verification workbook and write ZOLTP040_VERIFIED.zolt beside it, "
                        "printing its messages (exit 1: nothing loaded, or the file not written)"),
         VerifyReturn, nullptr},
        {QStringLiteral("verify-csv-export"), QString(),
         QStringLiteral("write every verification folio to Verify.csv in the current folder"), VerifyCsvExport,
         nullptr},
        {QStringLiteral("verify-csv-import"), QStringLiteral("1|2 [--stop-after-errors]"),
         QStringLiteral("read Verify.csv of the current folder: 1 updates the folios it matches, 2 replaces them "
                        "all; exit 1 when stopped after six errors or the file is missing"),
         VerifyCsvImport, nullptr},
    };
    return commands;
}

const BatchCommand &CommandNamed(const QString &name)
{
    const auto &all = Commands();
    return *std::find_if(all.begin(), all.end(), [&name](const BatchCommand &c) { return c.name == name; });
}

}  // namespace zolt::batch
