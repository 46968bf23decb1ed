#include "zip_archive.h"

#include "workbook_problem.h"

#include <QFile>
#include <algorithm>
#include <zip.h>

namespace zolt::workbook {

namespace {

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

}  // namespace

ZipArchive::ZipArchive(const QString &path, Checks checks)
{
    int code = 0;
    const int flags = ZIP_RDONLY | (checks == Checks::Strict ? ZIP_CHECKCONS : 0);
    m_zip = zip_open(QFile::encodeName(path).constData(), flags, &code);
    if (!m_zip)
        Fail(QStringLiteral("it is not a valid zip package (%1)").arg(zipErrorText(code)));
}

ZipArchive::~ZipArchive()
{
    zip_discard(m_zip);
}

qint64 ZipArchive::locate(const QString &partName) const
{
    return zip_name_locate(m_zip, partName.toUtf8().constData(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
}

bool ZipArchive::contains(const QString &partName) const
{
    return locate(partName) >= 0;
}

qint64 ZipArchive::partCount() const
{
    return zip_get_num_entries(m_zip, 0);
}

QString ZipArchive::partName(qint64 index) const
{
    const char *name = zip_get_name(m_zip, zip_uint64_t(index), ZIP_FL_ENC_GUESS);
    if (!name)
        Fail(QStringLiteral("the part at position %1 has no name (%2)")
                 .arg(index)
                 .arg(QString::fromLocal8Bit(zip_strerror(m_zip))));
    return QString::fromUtf8(name);
}

std::unique_ptr<QIODevice> ZipArchive::open(const QString &partName) const
{
    const qint64 index = locate(partName);
    if (index < 0)
        Fail(QStringLiteral("the part %1 is missing").arg(partName));
    return openAt(index, partName);
}

std::unique_ptr<ZipPartDevice> ZipArchive::openAt(qint64 index, const QString &partName) const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)
        && stat.size > quint64(MaxPartSize))
        Fail(QStringLiteral("the part %1 unpacks to more than %2 MB").arg(partName).arg(MaxPartSize >> 20));
    zip_file *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file)
        Fail(QStringLiteral("the part %1 cannot be unpacked (%2)")
                 .arg(partName, QString::fromLocal8Bit(zip_strerror(m_zip))));
    auto device = std::make_unique<ZipPartDevice>(file, partName,
                                                  (stat.valid & ZIP_STAT_SIZE) ? qint64(stat.size) : 0);
    device->open(QIODevice::ReadOnly);
    return device;
}

namespace {

QByteArray readToEnd(ZipPartDevice &part)
{
    // A false size in the zip directory costs no more than this up front.
    QByteArray bytes(std::min<qint64>(part.announcedSize(), 64 << 20), Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size())  // one byte past the limit is enough to see it crossed
            bytes.resize(std::min<qint64>(std::max<qint64>(2 * filled, 65536), ZipArchive::MaxPartSize + 1));
        const qint64 n = part.read(bytes.data() + filled, bytes.size() - filled);
        if (n <= 0)
            break;
        filled += n;
    }
    if (!part.failure().isEmpty())
        Fail(part.failure());
    bytes.truncate(filled);
    return bytes;
}

}  // namespace

QByteArray ZipArchive::read(const QString &partName) const
{
    const qint64 index = locate(partName);
    if (index < 0)
        Fail(QStringLiteral("the part %1 is missing").arg(partName));
    return readToEnd(*openAt(index, partName));
}

QByteArray ZipArchive::readAt(qint64 index) const
{
    return readToEnd(*openAt(index, partName(index)));
}

ZipPartDevice::ZipPartDevice(zip_file *file, const QString &partName, qint64 announcedSize)
    : m_file(file), m_partName(partName), m_announcedSize(announcedSize)
{
}

ZipPartDevice::~ZipPartDevice()
{
    zip_fclose(m_file);
}

qint64 ZipPartDevice::readData(char *data, qint64 maxSize)
{
    if (!m_failure.isEmpty())
        return -1;
    const zip_int64_t n = zip_fread(m_file, data, zip_uint64_t(maxSize));
    if (n < 0) {
        m_failure = QStringLiteral("the part %1 is damaged (%2)")
                        .arg(m_partName, QString::fromLocal8Bit(zip_file_strerror(m_file)));
        return -1;
    }
    m_total += n;
    if (m_total > ZipArchive::MaxPartSize) {
        m_failure = QStringLiteral("the part %1 unpacks to more than %2 MB")
                        .arg(m_partName)
                        .arg(ZipArchive::MaxPartSize >> 20);
        return -1;
    }
    return n;
}

}  // namespace zolt::workbook
