#include "temporary_target.h"

#include "errors.h"
#include "file_replace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zolt {

namespace {

const QString TemporaryEnd = QStringLiteral(".tmp");
constexpr qsizetype RandomPart = 6;  // the XXXXXX of the name

ZoltError cannotWrite(int number, const QString &target, const QString &reason)
{
    return ZoltError(number, QStringLiteral("Cannot write %1: %2.").arg(QDir::toNativeSeparators(target), reason));
}

// The file a path leads to once its symbolic links are followed; a link to a
// missing file leads to that file's place.
QString followLinks(const QString &target)
{
    const QString existing = QFileInfo(target).canonicalFilePath();
    if (!existing.isEmpty())
        return existing;
    constexpr int MaxLinks = 40;  // as the system allows
    QString place = QFileInfo(target).absoluteFilePath();
    for (int links = 0; QFileInfo(place).isSymLink(); ++links) {
        if (links == MaxLinks)
            throw cannotWrite(ErrorNumber::FileAccess, target, SystemErrorText(ELOOP));
        place = QFileInfo(place).symLinkTarget();
    }
    return place;
}

// Read-only as the file's attributes show it: no write permission for its
// owner, whoever runs the program.
bool isReadOnly(const QString &place)
{
    struct stat st {};
    return ::stat(QFile::encodeName(place).constData(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR);
}

// The new file takes the permission bits of the one it replaces (read-only
// stays read-only, whoever replaces it), or the usual ones for a new
// document (the temporary file starts as owner-only).
mode_t modeFor(const QString &place)
{
    struct stat st {};
    if (::stat(QFile::encodeName(place).constData(), &st) == 0)
        return st.st_mode & 07777;
    return S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
}

bool isTemporaryOf(const QString &name, const QString &fileName)
{
    return name.size() == fileName.size() + 1 + RandomPart + TemporaryEnd.size() && name.startsWith(fileName)
        && name.at(fileName.size()) == u'.' && name.endsWith(TemporaryEnd);
}

// Removes the temporary files of the place that no living writer holds.
void removeLeftovers(const QString &place)
{
    const QFileInfo info(place);
    const QDir folder = info.absoluteDir();
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (!isTemporaryOf(name, info.fileName()))
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

// Whether the path still names the file open at fd: a writer of the same
// target that cleaned up in the moment between creation and locking may have
// removed it.
bool namesOpenFile(const QString &path, int fd)
{
    struct stat byName {}, byHandle {};
    return ::stat(QFile::encodeName(path).constData(), &byName) == 0 && ::fstat(fd, &byHandle) == 0
        && byName.st_ino == byHandle.st_ino && byName.st_dev == byHandle.st_dev;
}

}  // namespace

TemporaryTarget::TemporaryTarget(const QString &target, ReadOnlyTarget readOnly)
    : m_target(target), m_place(followLinks(target))
{
    if (readOnly == ReadOnlyTarget::Refuse && isReadOnly(m_place))
        throw cannotWrite(ErrorNumber::PermissionDenied, target,
                          QStringLiteral("the file is read-only; make it writable, or choose another file, and try "
                                         "again"));
    removeLeftovers(m_place);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (reserve())
            return;
    }
    throw cannotWrite(ErrorNumber::FileAccess, target,
                      QStringLiteral("another program writing it keeps removing its temporary file"));
}

bool TemporaryTarget::reserve()
{
    QTemporaryFile reserved(m_place + QStringLiteral(".XXXXXX") + TemporaryEnd);
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw cannotWrite(ErrorNumber::PermissionDenied, m_target,
                          QStringLiteral("no file can be created in its folder (%1)").arg(reserved.errorString()));
    m_path = reserved.fileName();
    const int fd = ::fcntl(reserved.handle(), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return true;  // no lock to be had: the file is written unlocked
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // A writer cleaning up holds it and removes it; a file system
        // without locks gets the file unlocked.
        const bool takenAway = errno == EWOULDBLOCK;
        ::close(fd);
        return !takenAway;
    }
    if (!namesOpenFile(m_path, fd)) {
        ::close(fd);
        return false;
    }
    m_lock = fd;
    return true;
}

TemporaryTarget::~TemporaryTarget()
{
    discard();
}

void TemporaryTarget::release()
{
    if (m_lock >= 0)
        ::close(m_lock);
    m_lock = -1;
}

void TemporaryTarget::discard()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
    m_path.clear();
    release();
}

void TemporaryTarget::commit()
{
    ::chmod(QFile::encodeName(m_path).constData(), modeFor(m_place));
    if (const int error = MoveIntoPlace(m_path, m_place)) {
        discard();
        throw cannotWrite(ErrorNumberOfSystemError(error), m_target, SystemErrorText(error));
    }
    m_path.clear();
    release();
}

}  // namespace zolt
