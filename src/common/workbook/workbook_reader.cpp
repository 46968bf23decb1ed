#include "workbook_reader.h"

#include "common/errors.h"
#include "package_layout.h"
#include "shared_strings.h"
#include "workbook_problem.h"
#include "zip_archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace zolt::workbook {

namespace {

// A compound file (the container of legacy .xls files) that holds an
// EncryptedPackage stream is a workbook protected by a password: its
// directory entries lie at multiples of 128 bytes, each starting with its
// name in UTF-16 and giving the name's length in bytes at offset 64.
bool isPasswordProtected(QFile &file)
{
    static const QByteArray name = [] {
        const QString text = QStringLiteral("EncryptedPackage");
        QByteArray bytes(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        return bytes + QByteArray(2, '\0');  // the name's terminator
    }();
    constexpr qint64 EntrySize = 128;
    constexpr qint64 ChunkSize = EntrySize * 4096;
    file.seek(0);
    for (;;) {
        const QByteArray chunk = file.read(ChunkSize);
        for (qsizetype entry = 0; entry + EntrySize <= chunk.size(); entry += EntrySize) {
            if (QByteArrayView(chunk).sliced(entry, name.size()) == name && uchar(chunk[entry + 64]) == name.size()
                && chunk[entry + 65] == '\0')
                return true;
        }
        if (chunk.size() < ChunkSize)
            return false;
    }
}

// Catches the files that are plainly not a workbook before the zip reader
// gives them a vaguer name.
void checkFileKind(const QString &path)
{
    QFile file(path);
    if (QFileInfo(path).isDir())
        throw ZoltError(ErrorNumber::FileAccess,
                        QStringLiteral("%1 is a folder, not a workbook.").arg(QDir::toNativeSeparators(path)));
    if (!QFileInfo(path).isFile())
        throw ZoltError(ErrorNumber::FileNotFound,
                        QStringLiteral("The workbook %1 was not found.").arg(QDir::toNativeSeparators(path)));
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("it cannot be opened (%1)").arg(file.errorString()));
    const QByteArray head = file.read(4);
    if (head.isEmpty())
        Fail(QStringLiteral("the file is empty"));
    if (head == QByteArray("\xD0\xCF\x11\xE0", 4)) {
        if (isPasswordProtected(file))
            Fail(QStringLiteral("it is protected by a password; open it in the spreadsheet program, remove the "
                                "password and save it again"));
        Fail(QStringLiteral("it is a legacy Excel 97-2003 file (.xls); save it as an Excel workbook (.xlsx) first"));
    }
    if (!head.startsWith("PK"))
        Fail(QStringLiteral("it is not an Excel workbook (.xlsx)"));
}

}  // namespace

struct WorkbookReader::Impl {
    QString path;
    std::optional<ZipArchive> archive;
    PackageLayout layout;
    std::optional<SharedStrings> sharedStrings;  // read with the first sheet
    CellBudget cells{MaxCells};
    std::unique_ptr<SheetRows> reading;  // the sheet being read

    const SharedStrings &strings()
    {
        if (!sharedStrings) {
            sharedStrings = layout.sharedStringsPart.isEmpty()
                ? SharedStrings()
                : ReadSharedStrings(*archive, layout.sharedStringsPart);
        }
        return *sharedStrings;
    }
};

WorkbookReader::WorkbookReader() : d(std::make_unique<Impl>()) {}
WorkbookReader::~WorkbookReader() = default;

std::unique_ptr<WorkbookReader> WorkbookReader::open(const QString &path)
{
    std::unique_ptr<WorkbookReader> reader(new WorkbookReader);
    reader->d->path = path;
    ReportingProblems(path, [&] {
        checkFileKind(path);
        reader->d->archive.emplace(path);
        reader->d->layout = ReadPackageLayout(*reader->d->archive);
    });
    return reader;
}

QString WorkbookReader::path() const
{
    return d->path;
}

int WorkbookReader::sheetCount() const
{
    return int(d->layout.sheets.size());
}

QString WorkbookReader::sheetName(int position) const
{
    return position >= 1 && position <= sheetCount() ? d->layout.sheets[size_t(position - 1)].name : QString();
}

SheetRows &WorkbookReader::rows(int position, int lastColumn)
{
    if (position < 1 || position > sheetCount())
        throw Unreadable(d->path, QStringLiteral("it has no sheet %1 (it has %2)").arg(position).arg(sheetCount()));
    d->reading.reset();  // one part is unpacked at a time
    return ReportingProblems(d->path, [&]() -> SheetRows & {
        const SharedStrings &strings = d->strings();
        auto parser = std::make_unique<RowParser>(d->archive->open(d->layout.sheets[size_t(position - 1)].partName),
                                                  strings, lastColumn, d->cells);
        d->reading = std::make_unique<SheetRows>(d->path, std::move(parser));
        return *d->reading;
    });
}

}  // namespace zolt::workbook
