// zolt-batch: the payment file and verification workbook tasks without windows.

#include "batch_command.h"
#include "terminal_dialog.h"

#include "common/error_trap.h"
#include "common/errors.h"
#include "common/file_checks.h"
#include "common/product.h"
#include "store/data_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace zolt;
using namespace zolt::batch;

namespace {

void printHelp(QTextStream &out)
{
    out << "Usage: zolt-batch [--db FILE] [--yes] [--answer TEXT] COMMAND [ARGUMENTS]\n\n"
           "Options:\n"
           "  --db FILE      the working database (default: Zolt.mdb beside zolt-batch)\n"
           "  --yes          answer Yes to every question (the default answer is No)\n"
           "  --answer TEXT  the answer to an input box (the default cancels it)\n"
           "  --help         this text\n"
           "  --version      the version of Zolt\n\n"
           "Commands:\n";
    for (const BatchCommand &c : Commands())
        out << "  " << (c.name + u' ' + c.arguments).leftJustified(34) << c.summary << "\n";
    out << "\nExit codes: 0 done, 1 the operation failed, 2 bad usage or a missing database,\n"
           "3 the operation finished with rejected input (verify-load: rows not loaded, values cut\n"
           "to their columns, or rows holding data left unread below the end of a sheet).\n";
}

}  // namespace

namespace zolt::batch {

int UsageError(const BatchCommand &command, const QString &why)
{
    QTextStream err(stderr);
    err << "zolt-batch: " << why << "\nUsage: zolt-batch [--db FILE] " << command.name << ' '
        << command.arguments << "\n";
    return Exit::Usage;
}

}  // namespace zolt::batch

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    QStringList args = app.arguments().mid(1);

    QString dbPath = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Zolt.mdb"));
    bool answerYes = false;
    QString answer;
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == u"--help") {
            printHelp(out);
            return Exit::Done;
        } else if (option == u"--version") {
            out << VersionLine() << "\n";
            return Exit::Done;
        } else if (option == u"--yes") {
            answerYes = true;
        } else if ((option == u"--db" || option == u"--answer") && !args.isEmpty()) {
            (option == u"--db" ? dbPath : answer) = args.takeFirst();
        } else {
            err << "zolt-batch: unknown or incomplete option " << option << "\n\n";
            printHelp(err);
            return Exit::Usage;
        }
    }
    if (args.isEmpty() || args.first() == u"-h" || args.first() == u"help") {
        printHelp(args.isEmpty() ? err : out);
        return args.isEmpty() ? Exit::Usage : Exit::Done;
    }

    const QString name = args.takeFirst();
    const auto &commands = Commands();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&name](const BatchCommand &c) { return c.name == name; });
    if (command == commands.end()) {
        err << "zolt-batch: unknown command " << name << "\n\n";
        printHelp(err);
        return Exit::Usage;
    }
    if (command->runWithoutDatabase)
        return command->runWithoutDatabase(args);

    std::unique_ptr<DataEnvironment> de;
    try {
        if (const QString folder = FolderGivenForFile(dbPath, QStringLiteral("database")); !folder.isEmpty()) {
            out << "SEVERE ERROR - " << folder << "\n";
            return Exit::Usage;
        }
        if (!QFileInfo(dbPath).isFile() || QFileInfo(dbPath).size() == 0) {
            out << "SEVERE ERROR - The database " << dbPath << " is missing or empty.\n";
            return Exit::Usage;
        }
        de = DataEnvironment::openFile(dbPath);
    } catch (const ZoltError &e) {
        out << "SEVERE ERROR - " << e.description() << "\n";
        return Exit::Usage;
    }
    TerminalDialog ui(answerYes, answer);
    SharedValues shared;
    Session session{*de, ui, shared};
    // The procedures report their own failures; anything that escapes them
    // (a damaged database read outside their traps) ends the command here.
    try {
        return command->run(session, args);
    } catch (const std::exception &e) {
        out.flush();
        const TrappedError trapped = Trapped(e);
        err << "zolt-batch: " << name << " failed: error #" << trapped.number << ": " << trapped.description << "\n";
    }
    return Exit::Failed;
}
