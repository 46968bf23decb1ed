#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

struct zip;
struct zip_file;

namespace zolt::workbook {

class ZipPartDevice;

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
    // The part's unpacked bytes as a stream, read as they are needed.
    std::unique_ptr<QIODevice> open(const QString &partName) const;
    // The part's unpacked bytes, all at once. Reading a part to its end
    // checks its size and checksum against the zip's directory.
    QByteArray read(const QString &partName) const;

    // The parts by position in the zip's directory, from 0.
    qint64 partCount() const;
    QString partName(qint64 index) const;
    QByteArray readAt(qint64 index) const;

private:
    qint64 locate(const QString &partName) const;
    std::unique_ptr<ZipPartDevice> openAt(qint64 index, const QString &partName) const;
    zip *m_zip = nullptr;
};

// One part being unpacked. A read error or a part larger than
// ZipArchive::MaxPartSize ends the stream, and failure() says why.
class ZipPartDevice : public QIODevice {
public:
    ZipPartDevice(zip_file *file, const QString &partName, qint64 announcedSize);
    ~ZipPartDevice() override;

    bool isSequential() const override { return true; }
    QString failure() const { return m_failure; }
    // The size the zip directory gives, checked against the limit but not
    // trusted to be right.
    qint64 announcedSize() const { return m_announcedSize; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    zip_file *m_file;
    QString m_partName;
    qint64 m_announcedSize;
    qint64 m_total = 0;
    QString m_failure;
};

}  // namespace zolt::workbook
