#pragma once

#include "common/session.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace zolt::batch {

namespace Exit {
constexpr int Done = 0;
constexpr int Failed = 1;
constexpr int Usage = 2;      // bad usage or a missing database
constexpr int Rejected = 3;   // finished, but some input was rejected
}  // namespace Exit

// One zolt-batch command. Commands that work on the database get a session
// over the file named by --db; the others get only their arguments.
struct BatchCommand {
    QString name;
    QString arguments;  // as shown in the usage line, e.g. "FILE [--year YYYY]"
    QString summary;
    std::function<int(Session &, const QStringList &)> run;           // needs the database
    std::function<int(const QStringList &)> runWithoutDatabase;       // does not
};

const std::vector<BatchCommand> &Commands();
// The command of that name; it must be one of Commands().
const BatchCommand &CommandNamed(const QString &name);

// Prints a usage complaint for the command and answers Exit::Usage.
int UsageError(const BatchCommand &command, const QString &why);

}  // namespace zolt::batch
