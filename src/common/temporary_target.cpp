#include "temporary_target.h"

#include "errors.h"
#include "file_replace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <climits>
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

// The file a path leads to once its symbolic links are followed, one by one
// (Qt takes a circle of links for a file of that name); a link to a missing
// file leads to that file's place. Links that lead round in a circle
// (Export.csv -> Export.csv) are refused as the system refuses them, rather
// than replaced by a file of their name.
QString followLinks(const QString &target)
{
    constexpr int MaxLinks = 40;  // as the system allows
    QString place = QFileInfo(target).absoluteFilePath();
    for (int links = 0;; ++links) {
        const QByteArray native = QFile::encodeName(place);
        struct stat st {};
        if (::lstat(native.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            const QString existing = QFileInfo(place).canonicalFilePath();
            return existing.isEmpty() ? place : existing;
        }
        if (links == MaxLinks)
            throw cannotWrite(ErrorNumber::FileAccess, target, SystemErrorText(ELOOP));
        QByteArray next(PATH_MAX, Qt::Uninitialized);
        const ssize_t size = ::readlink(native.constData(), next.data(), size_t(next.size()));
        if (size < 0)
            throw cannotWrite(ErrorNumberOfSystemError(errno), target, SystemErrorText(errno));
        next.truncate(qsizetype(size));
        const QString to = QFile::decodeName(next);
        // Joined as the system joins it: "sub/../x" goes through what sub leads to.
        place = QDir::isAbsolutePath(to) ? to : place.left(place.lastIndexOf(u'/') + 1) + to;
    }
}

QString randomPart()
{
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString part;
    for (qsizetype i = 0; i < RandomPart; ++i)
        part += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)]);
    return part;
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

bool TemporaryTarget::linkToPlace()
{
    const QByteArray place = QFile::encodeName(m_place);
    const QByteArray path = QFile::encodeName(m_path);
    // The link is made under a temporary name of its own, then takes the
    // reserved one in one step: whenever the program ends, what is left is a
    // temporary file the next writer removes.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = QFile::encodeName(m_place + u'.' + randomPart() + TemporaryEnd);
        if (::link(place.constData(), name.constData()) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (::rename(name.constData(), path.constData()) != 0) {
            ::unlink(name.constData());
            return false;
        }
        // The lock went with the empty file the name held: the linked file
        // is locked in its stead.
        release();
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            m_lock = fd;
        else if (fd >= 0)
            ::close(fd);
        return true;
    }
    return false;
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
