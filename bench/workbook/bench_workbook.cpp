// The workbook writer and reader on their own, on a "Mortgage" sheet of
// realistic folios (every one of its 14 columns filled):
//   bench_workbook write FILE [ROWS]   writes ROWS rows (default 50000)
//   bench_workbook read FILE           reads every cell of every sheet
// Each mode prints "key value" lines: its times (wall and processor) and the
// process's peak memory, so run each in a process of its own.

#include "common/errors.h"
#include "common/workbook/workbook_reader.h"
#include "common/workbook/workbook_writer.h"
#include "common/workbook/written_package.h"
#include "support/every_cell.h"
#include "support/measure.h"
#include "support/realistic_data.h"

#include <QTextStream>

using namespace zolt;
using namespace zolt::bench;
using namespace zolt::workbook;

namespace {

constexpr int Columns = 14;

// The writer alone: its rows, then its save (compressing the package and
// reading it back whole), then that reading back on its own.
void write(const QString &path, int rows, QTextStream &out)
{
    Timing cells;
    Timing save;
    {
        WorkbookWriter writer(path);
        const int sheet = writer.addSheet(QStringLiteral("Mortgage"));
        writer.setHeaderRowFont(sheet, 8);
        for (int column = 1; column <= Columns; ++column) {
            writer.setColumnTextFormat(sheet, column);
            writer.setColumnWidth(sheet, column, 20);
        }
        cells.measure([&] {
            for (int column = 1; column <= Columns; ++column)
                writer.writeText(sheet, 1, column, QStringLiteral("HEADER %1").arg(column));
            for (int row = 0; row < rows; ++row) {
                const QStringList values = VerifyRow(row, true);
                for (int column = 1; column <= Columns; ++column)
                    writer.writeText(sheet, row + 2, column, values[column - 1].trimmed());
            }
        });
        save.measure([&] { writer.save(); });
    }
    Timing check;
    check.measure([&] { CheckWrittenPackage(path); });
    out << "rows " << rows << "\n";
    cells.print(out, "write_cells");
    save.print(out, "write_save");
    check.print(out, "write_check");
    out << "write_peak_rss_kb " << PeakKilobytes() << "\n";
}

void read(const QString &path, QTextStream &out)
{
    Timing time;
    qint64 cells = 0;
    time.measure([&] { cells = ReadEveryCell(path); });
    out << "read_cells " << cells << "\n";
    time.print(out, "read");
    out << "read_peak_rss_kb " << PeakKilobytes() << "\n";
}

}  // namespace

int main(int argc, char **argv)
{
    QTextStream out(stdout);
    if (argc < 3) {
        QTextStream(stderr) << "usage: bench_workbook write|read FILE [ROWS]\n";
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    try {
        if (mode == QLatin1String("write"))
            write(path, argc > 3 ? std::atoi(argv[3]) : 50000, out);
        else
            read(path, out);
    } catch (const ZoltError &error) {
        QTextStream(stderr) << error.description() << "\n";
        return 1;
    }
    return 0;
}
