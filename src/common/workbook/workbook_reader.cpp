#include "workbook_reader.h"

#include "common/errors.h"
#include "package_layout.h"
#include "workbook_problem.h"
#include "worksheet_part.h"
#include "zip_archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <new>
#include <optional>

namespace zolt::workbook {


namespace {

ZoltError unreadable(const QString &path, const QString &reason)
{
    return ZoltError(ErrorNumber::WorkbookUnreadable,
                     QStringLiteral("The workbook %1 cannot be read: %2.").arg(QDir::toNativeSeparators(path), reason));
}

// Turns the parts' problems into the reader's one kind of error.
template <typename Work>
decltype(auto) reportingProblems(const QString &path, Work work)
{
    try {
        return work();
    } catch (const WorkbookProblem &problem) {
        throw unreadable(path, problem.reason);
    } catch (const std::bad_alloc &) {
        throw unreadable(path, QStringLiteral("it is too large to read"));
    }
}

// Catches the files that are plainly not a workbook before the zip reader
// gives them a vaguer name.
void checkFileKind(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw ZoltError(ErrorNumber::FileNotFound,
                        QStringLiteral("The workbook %1 was not found.").arg(QDir::toNativeSeparators(path)));
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("it cannot be opened (%1)").arg(file.errorString()));
    const QByteArray head = file.read(4);
    if (head.isEmpty())
        Fail(QStringLiteral("the file is empty"));
    if (head == QByteArray("\xD0\xCF\x11\xE0", 4))
        Fail(QStringLiteral("it is a legacy Excel 97-2003 file (.xls); save it as an Excel workbook (.xlsx) first"));
    if (!head.startsWith("PK"))
        Fail(QStringLiteral("it is not an Excel workbook (.xlsx)"));
}

}  // namespace

struct WorkbookReader::Impl {
    QString path;
    std::optional<ZipArchive> archive;
    PackageLayout layout;
    std::optional<SharedStrings> sharedStrings;  // read with the first sheet
    std::map<int, SheetCells> sheets;            // by position, as read

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
    reportingProblems(path, [&] {
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

const SheetCells &WorkbookReader::sheet(int position)
{
    if (position < 1 || position > sheetCount())
        throw unreadable(d->path, QStringLiteral("it has no sheet %1 (it has %2)").arg(position).arg(sheetCount()));
    const auto found = d->sheets.find(position);
    if (found != d->sheets.end())
        return found->second;
    return reportingProblems(d->path, [&]() -> const SheetCells & {
        SheetCells cells = ReadWorksheet(*d->archive, d->layout.sheets[size_t(position - 1)].partName, d->strings());
        return d->sheets.emplace(position, std::move(cells)).first->second;
    });
}

}  // namespace zolt::workbook
