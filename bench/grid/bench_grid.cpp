// Times the data grid over the VERIFY rows a workbook load leaves (100,000
// by default, every column filled with realistic values): opening the list
// (recordset opened, grid bound, first paint), a jump to the last row and
// back with the repaint, and the memory the open list holds.
// Usage: bench_grid make DB [ROWS]   makes the database
//        bench_grid grid DB          the data grid over rsVerify
//        bench_grid items DB         the usual way, for comparison: every
//                                    value copied into a QStandardItemModel
//                                    by walking the recordset
// Each mode runs in a process of its own, so that its memory is its own.

#include "support/realistic_data.h"

#include "common/text_utils.h"
#include "widgets/data_grid.h"
#include "store/connection.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextStream>
#include <time.h>
#include <unistd.h>

using namespace zolt;

namespace {

const QStringList Fields = {"ACD", "MORTCO", "NUMBER", "CD", "JUR", "FOLIO", "PID",
                            "NAME", "ADDR1", "ADDR2", "ADDR3", "ADDR4", "ADDR5", "LEGAL"};
const int Widths[] = {4, 8, 14, 4, 4, 20, 11, 40, 30, 30, 30, 30, 30, 32};

// Processor time of this process, which a busy machine disturbs less than
// the wall clock.
qint64 cpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

qint64 residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE) / 1024;
}

int makeDatabase(const QString &path, int rows, QTextStream &out)
{
    CreateDatabaseFile(path);
    auto de = DataEnvironment::openFile(path);
    Database &db = de->Zolt().database();
    Transaction transaction(de->Zolt());
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, LEGAL, ADDR1, ADDR2, ADDR3, ADDR4, "
        "ADDR5) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < rows; ++i) {
        insert.reset();
        QVariantList values;
        for (const QString &value : bench::VerifyRow(i))
            values << value;
        insert.bindAll(values);
        insert.run();
    }
    transaction.commit();
    db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    out << "rows " << rows << "\ndb_bytes " << QFileInfo(path).size() << "\n";
    return 0;
}

QList<GridColumn> verifyColumns()
{
    QList<GridColumn> columns;
    for (int c = 0; c < Fields.size(); ++c)
        columns.append({.caption = Fields[c], .field = Fields[c], .widthInChars = Widths[c]});
    columns[0].translation = {{"A", "Add"}, {"C", "Change"}, {"D", "Delete"}};
    columns[5].format = GridColumn::Format::Text;
    // The folio laid into "###############.###" without its leading zeros.
    columns[5].displayText = [](const QVariant &value, const QVariant &) {
        const QString digits = value.toString().rightJustified(18, u'0').right(18);
        QString shown = digits.left(15) + u'.' + digits.right(3);
        while (shown.startsWith(u'0'))
            shown.remove(0, 1);
        return shown;
    };
    return columns;
}

// The view shown and painted once, as a screen opening it would.
void showAndPaint(QTableView &view)
{
    view.resize(1200, 700);
    view.show();
    QApplication::processEvents();
    view.viewport()->repaint();
}

// Jumps to the last row and back, twenty times; answers the slowest jump.
template <typename Jump>
qint64 slowestJumpUs(QTableView &view, qint64 rows, Jump jump)
{
    qint64 slowest = 0;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer timer;
        timer.start();
        jump(i % 2 == 0 ? rows - 1 : 0);
        view.viewport()->repaint();
        slowest = std::max(slowest, timer.nsecsElapsed() / 1000);
    }
    return slowest;
}

struct Opening {
    qint64 wallMs;
    qint64 cpuMs;
};

void report(QTextStream &out, const char *way, Opening open, qint64 jumpUs, qint64 kilobytes, qint64 rows)
{
    out << way << "_rows " << rows << "\n"
        << way << "_open_ms " << open.wallMs << "\n"
        << way << "_open_cpu_ms " << open.cpuMs << "\n"
        << way << "_slowest_jump_and_repaint_us " << jumpUs << "\n"
        << way << "_memory_kb " << kilobytes << "\n";
}

int gridMode(const QString &path, QTextStream &out)
{
    auto de = DataEnvironment::openFile(path);
    const qint64 before = residentKilobytes();
    const qint64 cpu = cpuMilliseconds();
    QElapsedTimer timer;
    timer.start();
    Recordset &rs = de->rsVerify();
    rs.open();
    rs.recordCount();
    const qint64 readMs = timer.elapsed();
    DataGrid grid;
    grid.setColumns(verifyColumns());
    grid.bind(&rs);
    showAndPaint(grid);
    const Opening openMs{timer.elapsed(), cpuMilliseconds() - cpu};
    out << "grid_rows_read_ms " << readMs << "\n";
    const qint64 kilobytes = residentKilobytes() - before;
    const qint64 jumpUs = slowestJumpUs(grid, rs.recordCount(), [&rs](qint64 row) {
        if (row == 0)
            rs.moveFirst();
        else
            rs.moveLast();
    });
    report(out, "grid", openMs, jumpUs, kilobytes, rs.recordCount());
    return grid.currentRow() == 0 ? 0 : 1;
}

int itemsMode(const QString &path, QTextStream &out)
{
    auto de = DataEnvironment::openFile(path);
    const qint64 before = residentKilobytes();
    const qint64 cpu = cpuMilliseconds();
    QElapsedTimer timer;
    timer.start();
    Recordset &rs = de->rsVerify();
    rs.open();
    const QList<GridColumn> columns = verifyColumns();
    QStandardItemModel model(0, int(columns.size()));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QList<QStandardItem *> items;
        for (const GridColumn &column : columns)
            items << new QStandardItem(column.shown(rs.field(column.field), [&rs] { return rs.bookmark(); }));
        model.appendRow(items);
    }
    QTableView view;
    view.setModel(&model);
    showAndPaint(view);
    const Opening openMs{timer.elapsed(), cpuMilliseconds() - cpu};
    const qint64 kilobytes = residentKilobytes() - before;
    const qint64 jumpUs = slowestJumpUs(view, model.rowCount(), [&view, &model](qint64 row) {
        view.setCurrentIndex(model.index(int(row), 0));
    });
    report(out, "items", openMs, jumpUs, kilobytes, model.rowCount());
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args[0] == u"make")
        return makeDatabase(args[1], args.size() > 2 ? args[2].toInt() : 100000, out);
    if (args.size() == 2 && args[0] == u"grid")
        return gridMode(args[1], out);
    if (args.size() == 2 && args[0] == u"items")
        return itemsMode(args[1], out);
    QTextStream(stderr) << "Usage: bench_grid make DB [ROWS] | grid DB | items DB\n";
    return 2;
}
