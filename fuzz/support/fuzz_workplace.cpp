#include "fuzz_workplace.h"

#include "store/sqlite_db.h"

#include <QDir>
#include <cstdlib>

namespace zolt::fuzz {
namespace {

QString workplaceTemplate()
{
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return base + QStringLiteral("/zolt-fuzz-XXXXXX");
}

}  // namespace

Workplace::Workplace() : dir(workplaceTemplate())
{
    const QString db = dir.filePath(QStringLiteral("Zolt.mdb"));
    CreateDatabaseFile(db);
    de = DataEnvironment::openFile(db);
    session = std::make_unique<Session>(Session{*de, ui, shared});
}

Workplace &TheWorkplace()
{
    static Workplace place;
    return place;
}

void Check(bool promise)
{
    if (!promise)
        std::abort();
}

}  // namespace zolt::fuzz
