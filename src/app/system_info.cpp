#include "system_info.h"

#include <QDir>
#include <QStandardPaths>

namespace zolt::app {

const QStringList &SystemInfoPrograms()
{
    static const QStringList programs{QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
                                      QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
                                      QStringLiteral("mate-system-monitor"),
                                      QStringLiteral("xfce4-taskmanager")};
    return programs;
}

QString FindSystemInfoProgram(const QStringList &searchPath)
{
    if (searchPath.isEmpty())
        return QString();
    for (const QString &program : SystemInfoPrograms()) {
        const QString found = QStandardPaths::findExecutable(program, searchPath);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QStringList ProgramSearchPath()
{
    return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

}  // namespace zolt::app
