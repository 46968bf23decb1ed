#include "payment_commands.h"
#include "common/clock.h"

#include "batch_command.h"

#include "common/errors.h"
#include "common/file_checks.h"
#include "common/number_format.h"
#include "common/text_utils.h"
#include "payment/duplicate_lines.h"
#include "payment/payment_export.h"
#include "payment/payment_format.h"
#include "payment/payment_load.h"
#include "payment/payment_save.h"
#include "payment/payment_task_rules.h"
#include "store/data_environment.h"
#include "store/zolt_system.h"

#include <QDir>
#include <QTextStream>

namespace zolt::batch {
namespace {

void print(const QString &line)
{
    QTextStream out(stdout);
    out << line << "\n";
    out.flush();
}

const BatchCommand &command(const QString &name)
{
    for (const BatchCommand &c : Commands()) {
        if (c.name == name)
            return c;
    }
    return Commands().front();
}

void printAgencies(Session &session)
{
    print(QStringLiteral("Data year: ") + ZoltSystem(session.de).dataYear());
    Recordset &groups = session.de.rsGroup();
    groups.ensureOpen();
    for (groups.moveFirst(); !groups.eof(); groups.moveNext())
        print(QStringLiteral("Agency %1: %2 payments, total %3")
                  .arg(groups.text(QStringLiteral("MORTCO")),
                       FormatNumber(groups.number(QStringLiteral("FOLIO_CNT")), Mask::Thousands0),
                       FormatAmount(groups.number(QStringLiteral("TOT_PAY")))));
    groups.moveFirst();
}

void printDuplicates(const payment::DuplicateFolioStore &duplicates)
{
    print(payment::DuplicatesMessage);
    print(payment::DuplicateCountLine(duplicates.count));
    print(payment::DuplicateListHeading(duplicates));
    for (const QString &line : payment::DuplicateListLines(duplicates))
        print(line);
}

}  // namespace

int PaymentLoad(Session &session, const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(command(QStringLiteral("payment-load")), QStringLiteral("payment-load takes one file name"));
    const QString &path = args.first();
    if (const QString folder = FolderGivenForFile(path, QStringLiteral("payment file")); !folder.isEmpty())
        print(folder);
    else if (!FileExists(path))
        print(QStringLiteral("The file %1 is missing or empty.").arg(path));
    // A load that fails must not leave the previous file's year to be saved.
    ZoltSystem(session.de).setDataYear(QString());
    const payment::PaymentLoadResult result = payment::Csv2Mdb(session, path, payment::EmptyFile::Refuse);
    using Outcome = payment::PaymentLoadResult::Outcome;
    if (result.outcome == Outcome::YearRefused || result.outcome == Outcome::NoYear)
        print(payment::FutureYearMessage(result.fileYear));
    else if (result.outcome == Outcome::NoPayments)
        print(QStringLiteral("The file %1 holds no payment groups and no payments.").arg(path));
    if (!result.loaded()) {
        print(payment::LoadFailedMessage);
        return Exit::Failed;
    }
    if (result.duplicates.found) {
        printDuplicates(result.duplicates);
        return Exit::Rejected;
    }
    printAgencies(session);
    for (const LooseValue &value : result.looseValues.kept)
        print(LooseValueLine(value));
    if (result.looseValues.count > qint64(result.looseValues.kept.size()))
        print(QStringLiteral("... and %1 more values read the same way")
                  .arg(result.looseValues.count - qint64(result.looseValues.kept.size())));
    return Exit::Done;
}

int PaymentSave(Session &session, const QStringList &args)
{
    const BatchCommand &self = command(QStringLiteral("payment-save"));
    QStringList rest = args;
    QString year;
    const qsizetype yearAt = rest.indexOf(QStringLiteral("--year"));
    if (yearAt >= 0) {
        if (yearAt + 1 >= rest.size() || rest.at(yearAt + 1).size() != 4)
            return UsageError(self, QStringLiteral("--year takes a four-character year"));
        year = rest.at(yearAt + 1);
        rest.remove(yearAt, 2);
    }
    if (rest.size() != 1)
        return UsageError(self, QStringLiteral("payment-save takes one file name"));
    if (yearAt < 0)
        year = ZoltSystem(session.de).dataYear();
    if (!payment::IsAcceptedYear(year, CurrentYear()) && yearAt < 0) {
        print(QStringLiteral("No payment file with a valid year is loaded: nothing was saved. Load one with "
                             "payment-load, or give the year with --year YYYY."));
        return Exit::Failed;
    }
    const QString path = rest.first();
    // A read-only file is replaced only when --yes answers the question.
    ConfirmReadOnlyFile(path, ZoltFileQuestions.readOnlyTitle, session.ui);
    const QString backup = payment::PaymentBackupPath(path);
    const payment::SaveResult result = payment::Mdb2Csv(session, year, path, backup);
    if (!result.saved) {
        print(QStringLiteral("Zolt data save FAILED"));
        return Exit::Failed;
    }
    print(QStringLiteral("Saved %1 (the previous file is kept as %2)").arg(path, backup));
    print(QStringLiteral("Payment Amount: ") + FormatAmount(result.total));
    return Exit::Done;
}

int PaymentExport(Session &session, const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(command(QStringLiteral("payment-export")),
                          QStringLiteral("payment-export takes one agency number"));
    // Typed as the file carries it, or without its leading zeros.
    QString agency = TrimBlanks(args.first()).toUpper();
    if (agency.size() < 4)
        agency = agency.rightJustified(4, u'0');
    Recordset &groups = session.de.rsGroup();
    groups.ensureOpen();
    groups.moveFirst();
    if (!groups.find(payment::AgencyFilter(agency))) {
        print(QStringLiteral("No agency %1 is loaded: nothing was exported.").arg(agency));
        return Exit::Failed;
    }
    Recordset &details = session.de.rsDetail();
    details.ensureOpen();
    const QString path = QDir::current().filePath(payment::ExportFileName);
    qint64 lines = 0;
    try {
        lines = payment::ExportPayments(session, details, groups.text(QStringLiteral("MORTCO")), path);
    } catch (const ZoltError &e) {
        print(e.description());
        print(QStringLiteral("Nothing was exported."));
        return Exit::Failed;
    }
    print(QStringLiteral("Wrote %1 lines to %2").arg(lines).arg(QDir::toNativeSeparators(path)));
    return Exit::Done;
}

}  // namespace zolt::batch
