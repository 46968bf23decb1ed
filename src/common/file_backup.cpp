#include "file_backup.h"

#include "errors.h"
#include "temporary_target.h"
#include "whole_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zolt {
namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// Copies all of in to the temporary file of copy, or throws ZoltError saying
// what failed: a read, a write, or a copy found shorter on disk than its
// source.
void copyWhole(QFile &in, const TemporaryTarget &copy)
{
    auto cannotWrite = [&copy](int number, const QString &why) {
        return ZoltError(number, QStringLiteral("Cannot write %1: %2.").arg(shown(copy.target()), why));
    };
    QFile out(copy.path());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw cannotWrite(ErrorNumber::PermissionDenied, out.errorString());
    QByteArray block(1 << 16, Qt::Uninitialized);
    qint64 copied = 0;
    for (qint64 n; (n = in.read(block.data(), block.size())) != 0; copied += n) {
        if (n < 0)
            throw ZoltError(ErrorNumber::FileAccess, QStringLiteral("it cannot be read (%1).").arg(in.errorString()));
        if (!WriteWhole(out, QByteArrayView(block.constData(), n)))
            throw cannotWrite(ErrorNumber::DiskFull, out.errorString());
    }
    out.close();
    // What reached the disk, measured again.
    const qint64 written = QFileInfo(copy.path()).size();
    if (copied != in.size() || written != copied)
        throw cannotWrite(ErrorNumber::DiskFull,
                          QStringLiteral("only %1 of %2 bytes were copied").arg(written).arg(in.size()));
}

void openToRead(QFile &in)
{
    if (!in.open(QIODevice::ReadOnly))
        throw ZoltError(ErrorNumber::FileAccess, QStringLiteral("it cannot be read (%1).").arg(in.errorString()));
}

// The file now at the place of target, kept under a temporary name of
// target: a second link to it, or a copy.
std::unique_ptr<TemporaryTarget> setAside(const QString &target, ReadOnlyTarget readOnly)
{
    auto aside = std::make_unique<TemporaryTarget>(target, readOnly);
    if (!aside->linkToPlace()) {
        QFile previous(aside->place());
        openToRead(previous);
        copyWhole(previous, *aside);
    }
    return aside;
}

bool isFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

}  // namespace

void CopyFileToBackup(const QString &source, const QString &backup)
{
    try {
        QFile in(source);
        openToRead(in);
        TemporaryTarget copy(backup);
        copyWhole(in, copy);
        copy.commit();
    } catch (const ZoltError &e) {
        throw ZoltError(e.number(), QStringLiteral("Cannot back up %1: %2").arg(shown(source), e.description()));
    }
}

SaveBackup::SaveBackup() = default;

SaveBackup::SaveBackup(const QString &source, const QString &backup)
{
    try {
        QFile in(source);
        openToRead(in);
        TemporaryTarget copy(backup);
        copyWhole(in, copy);
        // The previous backup waits aside before the new one takes its place.
        std::unique_ptr<TemporaryTarget> previous;
        if (isFile(copy.place()))
            previous = setAside(backup, ReadOnlyTarget::Refuse);
        copy.commit();
        m_place = copy.place();
        m_previous = std::move(previous);
        m_made = true;
    } catch (const ZoltError &e) {
        throw ZoltError(e.number(), QStringLiteral("Cannot back up %1: %2").arg(shown(source), e.description()));
    }
}

SaveBackup SaveBackup::Cleared(const QString &backup)
{
    SaveBackup cleared;
    try {
        // Whatever its attributes: it is taken away, not written.
        std::unique_ptr<TemporaryTarget> previous = setAside(backup, ReadOnlyTarget::Replace);
        QFile old(previous->place());
        if (!old.remove())
            throw ZoltError(ErrorNumber::PermissionDenied, old.errorString());
        cleared.m_place = previous->place();
        cleared.m_previous = std::move(previous);
    } catch (const ZoltError &e) {
        throw ZoltError(e.number(),
                        QStringLiteral("Cannot replace the backup %1: %2").arg(shown(backup), e.description()));
    }
    return cleared;
}

SaveBackup::SaveBackup(SaveBackup &&other) noexcept
    : m_place(std::move(other.m_place)), m_previous(std::move(other.m_previous)),
      m_made(std::exchange(other.m_made, false))
{
}

SaveBackup &SaveBackup::operator=(SaveBackup &&other) noexcept
{
    if (this != &other) {
        putBack();
        m_place = std::move(other.m_place);
        m_previous = std::move(other.m_previous);
        m_made = std::exchange(other.m_made, false);
    }
    return *this;
}

SaveBackup::~SaveBackup()
{
    putBack();
}

void SaveBackup::keep()
{
    m_previous.reset();  // its temporary name goes
    m_made = false;
}

void SaveBackup::putBack()
{
    try {
        if (m_previous) {
            m_previous->commit();
        } else if (m_made && !QFile::remove(m_place)) {
            qWarning("The new backup %s could not be removed after the failed save.", qUtf8Printable(shown(m_place)));
        }
    } catch (const ZoltError &e) {
        qWarning("The previous backup could not be put back after the failed save: %s",
                 qUtf8Printable(e.description()));
    }
    m_previous.reset();
    m_made = false;
}

}  // namespace zolt
