#include "remembered_location.h"

#include "store/data_environment.h"

namespace zolt::app {

std::optional<FileLocation> RememberedLocation(DataEnvironment &de)
{
    Recordset &rs = de.rsZoltSystem();
    rs.ensureOpen();
    if (rs.recordCount() == 0)
        return std::nullopt;
    rs.moveFirst();
    return FileLocation{rs.text(QStringLiteral("Drive")), rs.text(QStringLiteral("Dir")),
                        rs.text(QStringLiteral("File"))};
}

void RememberLocation(DataEnvironment &de, const FileLocation &location)
{
    Recordset &rs = de.rsZoltSystem();
    rs.ensureOpen();
    if (rs.recordCount() == 0)
        rs.addNew();
    else
        rs.moveFirst();
    rs.setField(QStringLiteral("Drive"), location.drive);
    rs.setField(QStringLiteral("Dir"), location.dir);
    rs.setField(QStringLiteral("File"), location.file);
    rs.setField(QStringLiteral("Year"), QString());
    rs.update();
}

}  // namespace zolt::app
