#include "temporary_target.h"

#include "common/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zolt::workbook {

namespace {

ZoltError cannotWrite(const QString &target, const QString &reason)
{
    return ZoltError(ErrorNumber::FileAccess,
                     QStringLiteral("The workbook %1 cannot be written: %2.").arg(QDir::toNativeSeparators(target), reason));
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
        throw cannotWrite(target, QStringLiteral("no file can be created in its folder (%1)").arg(reserved.errorString()));
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
    // rename() replaces an existing target in one step; QFile::rename would not.
    if (std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(m_target).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        discard();
        throw cannotWrite(m_target, reason);
    }
    m_path.clear();
}

}  // namespace zolt::workbook
