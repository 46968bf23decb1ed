#include "verify_backup.h"

#include "common/errors.h"
#include "common/text_utils.h"

#include <QDebug>

namespace zolt::verify {

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

SaveBackup BackUpBeforeWriting(const QString &fileName, const QString &backupName)
{
    if (!FileExists(fileName))
        return {};
    try {
        return SaveBackup(fileName, backupName);
    } catch (const ZoltError &e) {
        qWarning("%s", qUtf8Printable(e.description()));
        return {};
    }
}

}  // namespace zolt::verify
