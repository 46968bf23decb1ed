#pragma once

#include <QStringList>

namespace zolt::app {

// Programs that show the machine's hardware and system, most detailed first.
const QStringList &SystemInfoPrograms();

// The first of those programs found in the folders of searchPath; empty when
// none is there (an empty search path finds nothing).
QString FindSystemInfoProgram(const QStringList &searchPath);

// The folders of the PATH this program was started with.
QStringList ProgramSearchPath();

}  // namespace zolt::app
