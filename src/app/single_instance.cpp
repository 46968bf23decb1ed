#include "single_instance.h"

#include "common/user_dialog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace zolt::app {

SingleInstance::SingleInstance(const QString &lockPath) : m_lock(lockPath)
{
    // A lock is stale only when its process is gone, never because of its age:
    // the program may run for hours.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::claim(UserDialog &ui)
{
    if (m_lock.isLocked() || m_lock.tryLock(0))
        return true;
    ui.message(QStringLiteral("Zolt application is already running"), MessageIcon::Information);
    return false;
}

QString SingleInstance::lockPathFor(const QString &appDir)
{
    const QString canonical = QFileInfo(appDir).canonicalFilePath();
    const QByteArray key = (canonical.isEmpty() ? QDir::cleanPath(appDir) : canonical).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QDir(QDir::tempPath()).filePath(QStringLiteral("zoltwin-%1.lock").arg(QString::fromLatin1(hash)));
}

}  // namespace zolt::app
