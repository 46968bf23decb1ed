#include "verify_backup.h"

#include "common/text_utils.h"

#include <QFile>
#include <QFileInfo>

namespace zolt {

QString VerifyExportBackupName(const QString &fileName)
{
    if (fileName.right(5).toLower() == u".xlsx")
        return fileName.left(fileName.size() - 4) + QStringLiteral("bak");
    return fileName + QStringLiteral(".bak");
}

QString VerifyTaskBackupName(const QString &fileName)
{
    if (fileName.right(5).toLower() == u".zolt")
        return fileName.left(fileName.size() - 4) + QStringLiteral("bak");
    return fileName + QStringLiteral(".bak");
}

bool CopyToBackup(const QString &fileName, const QString &backupName)
{
    if (!FileExists(fileName))
        return false;
    if (QFileInfo::exists(backupName) && !QFile::remove(backupName))
        return false;
    return QFile::copy(fileName, backupName);
}

}  // namespace zolt
