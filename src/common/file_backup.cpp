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

}  // namespace

void CopyFileToBackup(const QString &source, const QString &backup)
{
    try {
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly))
            throw ZoltError(ErrorNumber::FileAccess, QStringLiteral("it cannot be read (%1).").arg(in.errorString()));
        TemporaryTarget copy(backup);
        copyWhole(in, copy);
        copy.commit();
    } catch (const ZoltError &e) {
        throw ZoltError(e.number(), QStringLiteral("Cannot back up %1: %2").arg(shown(source), e.description()));
    }
}

}  // namespace zolt
