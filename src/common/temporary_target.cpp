#include "temporary_target.h"

#include "errors.h"
#include "file_replace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace zolt {

namespace {

ZoltError cannotWrite(int number, const QString &target, const QString &reason)
{
    return ZoltError(number, QStringLiteral("Cannot write %1: %2.").arg(QDir::toNativeSeparators(target), reason));
}

// The new file takes the permissions of the one it replaces, or the usual
// ones for a new document (the temporary file starts as owner-only).
QFileDevice::Permissions permissionsFor(const QString &target)
{
    const QFileInfo existing(target);
    if (existing.exists())
        return existing.permissions();
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
        | QFileDevice::ReadGroup | QFileDevice::ReadOther;
}

}  // namespace

TemporaryTarget::TemporaryTarget(const QString &target) : m_target(target)
{
    const QFileInfo info(target);
    QTemporaryFile reserved(info.absoluteDir().filePath(info.fileName() + QStringLiteral(".XXXXXX.tmp")));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw cannotWrite(ErrorNumber::PermissionDenied, target,
                          QStringLiteral("no file can be created in its folder (%1)").arg(reserved.errorString()));
    m_path = reserved.fileName();
}

TemporaryTarget::~TemporaryTarget()
{
    discard();
}

void TemporaryTarget::discard()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
    m_path.clear();
}

void TemporaryTarget::commit()
{
    QFile::setPermissions(m_path, permissionsFor(m_target));
    if (const int error = MoveIntoPlace(m_path, m_target)) {
        discard();
        throw cannotWrite(ErrorNumberOfSystemError(error), m_target, SystemErrorText(error));
    }
    m_path.clear();
}

}  // namespace zolt
