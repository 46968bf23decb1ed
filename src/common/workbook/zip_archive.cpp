#include "zip_archive.h"

#include "workbook_problem.h"

#include "common/read_ahead.h"

#include <QFile>
#include <algorithm>
#include <cstring>
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

std::unique_ptr<PartStream> ZipArchive::open(const QString &partName) const
{
    const qint64 index = locate(partName);
    if (index < 0)
        Fail(QStringLiteral("the part %1 is missing").arg(partName));
    return openIndex(index, partName);
}

std::unique_ptr<PartStream> ZipArchive::openAt(qint64 index) const
{
    return openIndex(index, partName(index));
}

std::unique_ptr<PartStream> ZipArchive::openIndex(qint64 index, const QString &partName) const
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
    return std::make_unique<PartStream>(file, partName);
}

PartStream::PartStream(zip_file *file, const QString &partName) : m_file(file), m_partName(partName) {}

// The unpacking stops before the file closes.
PartStream::~PartStream()
{
    m_ahead.reset();
    zip_fclose(m_file);
}

void PartStream::readAhead()
{
    constexpr qsizetype ChunkSize = 256 * 1024;
    m_ahead = std::make_unique<ReadAhead<Chunk>>([this](Chunk &chunk, const std::function<bool()> &stopping) {
        if (chunk.bytes.isEmpty())
            chunk.bytes.resize(ChunkSize);
        chunk.size = unpack(chunk.bytes.data(), chunk.bytes.size());
        return chunk.size > 0 && !stopping();
    });
}

qsizetype PartStream::read(char *data, qsizetype max)
{
    if (!m_ahead)
        return unpack(data, max);
    while (!m_chunk || m_chunkRead == m_chunk->size) {
        m_chunk = m_ahead->next();
        m_chunkRead = 0;
        if (!m_chunk)
            return 0;
    }
    const qsizetype n = std::min(max, m_chunk->size - m_chunkRead);
    std::memcpy(data, m_chunk->bytes.constData() + m_chunkRead, size_t(n));
    m_chunkRead += n;
    return n;
}

qsizetype PartStream::unpack(char *data, qsizetype max)
{
    const zip_int64_t n = zip_fread(m_file, data, zip_uint64_t(max));
    if (n < 0)
        Fail(QStringLiteral("the part %1 is damaged (%2)")
                 .arg(m_partName, QString::fromLocal8Bit(zip_file_strerror(m_file))));
    m_total += n;
    if (m_total > ZipArchive::MaxPartSize)
        Fail(QStringLiteral("the part %1 unpacks to more than %2 MB").arg(m_partName).arg(ZipArchive::MaxPartSize >> 20));
    return qsizetype(n);
}

}  // namespace zolt::workbook
