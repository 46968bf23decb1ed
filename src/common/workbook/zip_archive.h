#pragma once

#include <QString>
#include <memory>

struct zip;
struct zip_file;

namespace zolt {
template <typename Batch>
class ReadAhead;
}

namespace zolt::workbook {

// One part of a zip package being unpacked, read front to back. Reading it
// to its end checks its size and checksum against the zip's directory.
class PartStream {
public:
    PartStream(zip_file *file, const QString &partName);
    ~PartStream();
    PartStream(const PartStream &) = delete;
    PartStream &operator=(const PartStream &) = delete;

    // From now on the part is unpacked on a thread of its own, ahead of
    // read(), so that unpacking and the work on what was unpacked share the
    // cores. The archive is not to be used otherwise until the stream goes.
    void readAhead();

    // Up to max bytes; 0 at the end of the part. A damaged part, or one that
    // unpacks to more than ZipArchive::MaxPartSize, throws WorkbookProblem.
    qsizetype read(char *data, qsizetype max);
    const QString &partName() const { return m_partName; }

private:
    struct Chunk {
        QByteArray bytes;
        qsizetype size = 0;
        void clear() { size = 0; }
    };

    qsizetype unpack(char *data, qsizetype max);

    zip_file *m_file;
    QString m_partName;
    qint64 m_total = 0;
    std::unique_ptr<ReadAhead<Chunk>> m_ahead;
    Chunk *m_chunk = nullptr;  // being read
    qsizetype m_chunkRead = 0;
};

// Reading access to the parts of a zip package. Failures throw WorkbookProblem.
class ZipArchive {
public:
    // No single part may unpack to more than this many bytes.
    static constexpr qint64 MaxPartSize = qint64(512) * 1024 * 1024;

    // Strict also compares every part's local header with the zip's
    // directory, for files just written rather than files received.
    enum class Checks { Usual, Strict };

    explicit ZipArchive(const QString &path, Checks checks = Checks::Usual);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // Part names without a leading slash, compared without regard to case.
    bool contains(const QString &partName) const;
    // The part's unpacked bytes as a stream. Throws for a missing part.
    std::unique_ptr<PartStream> open(const QString &partName) const;

    // The parts by position in the zip's directory, from 0.
    qint64 partCount() const;
    QString partName(qint64 index) const;
    std::unique_ptr<PartStream> openAt(qint64 index) const;

private:
    qint64 locate(const QString &partName) const;
    std::unique_ptr<PartStream> openIndex(qint64 index, const QString &partName) const;
    zip *m_zip = nullptr;
};

}  // namespace zolt::workbook
