// Times the workbook writer and reader on a sheet of the verification size:
//   bench_workbook write FILE [ROWS]   writes ROWS x 14 text cells (default 50000)
//   bench_workbook read FILE           reads every sheet
// Each run prints its time and the process's peak memory, so run the two
// modes as separate processes.

#include "common/errors.h"
#include "common/workbook/workbook_reader.h"
#include "common/workbook/workbook_writer.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>
#include <sys/resource.h>

using namespace zolt;
using namespace zolt::workbook;

namespace {

constexpr int Columns = 14;

long peakMemoryMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

QString cellText(int row, int column)
{
    switch (column) {
    case 1: return QStringLiteral("A");
    case 2: return QStringLiteral("%1").arg(row % 300, 4, 10, QLatin1Char('0'));
    case 3: return QString::number(100000000 + row);
    case 4: return QStringLiteral("%1").arg(row % 99, 2, 10, QLatin1Char('0'));
    case 6: return QString::number(qint64(row) * 7919 % 1000000000000LL);
    case 8: return QStringLiteral("OWNER NUMBER %1 AND SPOUSE").arg(row);
    default: return QStringLiteral("TEXT %1 %2").arg(column).arg(row % 1000);
    }
}

void write(const QString &path, int rows)
{
    QElapsedTimer timer;
    timer.start();
    WorkbookWriter writer(path);
    const int sheet = writer.addSheet(QStringLiteral("Mortgage"));
    writer.setHeaderRowFont(sheet, 8);
    for (int column = 1; column <= Columns; ++column) {
        writer.setColumnTextFormat(sheet, column);
        writer.setColumnWidth(sheet, column, 20);
        writer.writeText(sheet, 1, column, QStringLiteral("HEADER %1").arg(column));
    }
    for (int row = 2; row <= rows + 1; ++row) {
        for (int column = 1; column <= Columns; ++column)
            writer.writeText(sheet, row, column, cellText(row, column));
    }
    writer.ignoreNumberStoredAsText(sheet, 2, 3, rows + 1, 7);
    const qint64 filled = timer.elapsed();
    writer.save();
    std::printf("write %d rows x %d: %lld ms (cells %lld ms, save %lld ms), peak %ld MB\n", rows, Columns,
                timer.elapsed(), filled, timer.elapsed() - filled, peakMemoryMb());
}

void read(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    auto reader = WorkbookReader::open(path);
    qint64 cells = 0;
    for (int sheet = 1; sheet <= reader->sheetCount(); ++sheet) {
        SheetRows &rows = reader->rows(sheet);
        while (rows.moveToNextListed()) {
            for (int column = 1; column <= rows.lastFilledColumn(); ++column)
                cells += rows.cell(column).isEmpty() ? 0 : 1;
        }
        rows.finish();
    }
    std::printf("read %lld cells: %lld ms, peak %ld MB\n", cells, timer.elapsed(), peakMemoryMb());
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_workbook write|read FILE [ROWS]\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    try {
        if (mode == QLatin1String("write"))
            write(path, argc > 3 ? std::atoi(argv[3]) : 50000);
        else
            read(path);
    } catch (const ZoltError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.description()));
        return 1;
    }
    return 0;
}
