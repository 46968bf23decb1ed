// The verification workbook at the size the issue names: 50,000 folios with
// every one of the 14 columns filled with realistic values, 100 masks, 99
// districts, 99 jurisdictions and 500 pairs.
//
//   bench_verify database DB [FOLIOS]   a working database holding them
//   bench_verify export DB WORKBOOK     one export of DB to WORKBOOK
//   bench_verify spreadsheet DB WORKBOOK
//                                       DB's tables as a spreadsheet program
//                                       writes them: shared strings, as the
//                                       authority's workbooks come
//   bench_verify load WORKBOOK DB       one load of WORKBOOK into DB
//   bench_verify limits WORKBOOK DB SCRATCH_DB
//                                       the parts of the load alone: unpacking,
//                                       scanning, reading every cell, inserting
//                                       DB's folios into SCRATCH_DB
//
// Each mode prints "key value" lines: its times (wall and processor) and the
// process's peak memory, so run each in a process of its own and keep the
// best of several runs (bench/verify/run.sh does).

#include "common/session.h"
#include "common/workbook/workbook_reader.h"
#include "common/workbook/xml_scanner.h"
#include "common/workbook/zip_archive.h"
#include "store/connection.h"
#include "store/data_environment.h"
#include "store/batch_insert.h"
#include "store/sqlite_db.h"
#include "support/every_cell.h"
#include "support/bench_rows.h"
#include "support/measure.h"
#include "support/realistic_data.h"
#include "verify/verify_export.h"
#include "verify/verify_layout.h"
#include "verify/verify_load.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <functional>
#include <xlsxwriter.h>

using namespace zolt;
using namespace zolt::bench;
using namespace zolt::workbook;

namespace {

constexpr int Folios = 50000;

int makeDatabase(const QString &path, int folios, QTextStream &out)
{
    QFile::remove(path);
    CreateDatabaseFile(path);
    auto de = DataEnvironment::openFile(path);
    Database &db = de->Zolt().database();
    Transaction transaction(de->Zolt());
    InsertRows(db,
               QStringLiteral("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, LEGAL, ADDR1, "
                              "ADDR2, ADDR3, ADDR4, ADDR5) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               folios, [](int i) {
                   QVariantList values;
                   for (const QString &value : VerifyRow(i, true))
                       values << value;
                   return values;
               });
    InsertRows(db, QStringLiteral("INSERT INTO Fol_Mask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES (?, ?, ?, ?)"),
               100, [](int i) {
                   return QVariantList{QStringLiteral("2026"), Code(i + 1, 3), 12,
                                       i % 2 ? QStringLiteral("###-###-######") : QStringLiteral("##.##.########")};
               });
    InsertRows(db, QStringLiteral("INSERT INTO Collection_District VALUES (?, ?)"), 99,
               [](int i) { return QVariantList{Code(i + 1, 2), PlaceName(i)}; });
    InsertRows(db, QStringLiteral("INSERT INTO Jurisdiction VALUES (?, ?)"), 99,
               [](int i) { return QVariantList{Code(i + 1, 3), PlaceName(i + 1000)}; });
    InsertRows(db, QStringLiteral("INSERT INTO CD_JUR VALUES (?, ?)"), 500, [](int i) {
        return QVariantList{Code(1 + i % 99, 2), Code(1 + (i / 99) * 17 % 99 + i % 7, 3)};
    });
    transaction.commit();
    out << "folios " << folios << "\n";
    return 0;
}

// The workbook as a spreadsheet program saves it: every text once in the
// shared strings, the cells referring to them.
int spreadsheetWorkbook(const QString &dbPath, const QString &workbook, QTextStream &out)
{
    auto de = DataEnvironment::openFile(dbPath);
    lxw_workbook *book = workbook_new(QFile::encodeName(workbook).constData());
    std::vector<const verify::Sheet *> sheets{&verify::MortgageSheet()};
    for (const verify::Sheet &sheet : verify::ReferenceSheets())
        sheets.push_back(&sheet);
    for (const verify::Sheet *sheet : sheets) {
        lxw_worksheet *worksheet = workbook_add_worksheet(book, sheet->name.toUtf8().constData());
        Recordset &rs = verify::SheetRecordset(*de, *sheet);
        rs.ensureOpen();
        for (size_t c = 0; c < sheet->columns.size(); ++c)
            worksheet_write_string(worksheet, 0, lxw_col_t(c), sheet->columns[c].header.toUtf8().constData(), nullptr);
        lxw_row_t row = 0;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            ++row;
            for (size_t c = 0; c < sheet->columns.size(); ++c) {
                const QString text = verify::WrittenValue(sheet->columns[c], rs.field(sheet->columns[c].field));
                if (!text.isEmpty())
                    worksheet_write_string(worksheet, row, lxw_col_t(c), text.toUtf8().constData(), nullptr);
            }
        }
    }
    if (workbook_close(book) != LXW_NO_ERROR) {
        out << "FAILED: the spreadsheet workbook could not be written\n";
        return 1;
    }
    return 0;
}

// As the verification task exports: the recordsets closed.
int exportOnce(const QString &dbPath, const QString &workbook, QTextStream &out)
{
    auto de = DataEnvironment::openFile(dbPath);
    QuietDialog ui;
    SharedValues shared;
    Session session{*de, ui, shared};
    Timing time;
    bool exported = false;
    time.measure([&] { exported = verify::Mdb2Xls(session, workbook); });
    if (!exported || ui.messages != 0) {
        out << "FAILED: " << ui.last << "\n";
        return 1;
    }
    time.print(out, "export");
    out << "export_peak_rss_kb " << PeakKilobytes() << "\n";
    return 0;
}

// As at a start of the program: no recordset open, VERIFY empty as the
// verification task leaves it, the reference tables filled (the load empties
// them).
int loadOnce(const QString &workbook, const QString &dbPath, QTextStream &out)
{
    auto de = DataEnvironment::openFile(dbPath);
    de->Zolt().execute(QStringLiteral("DELETE FROM VERIFY"));
    QuietDialog ui;
    SharedValues shared;
    Session session{*de, ui, shared};
    Timing time;
    verify::VerifyLoadResult loaded;
    time.measure([&] { loaded = verify::Xls2Mdb(session, workbook, nullptr); });
    if (loaded.loaded == 0 || ui.messages != 0) {
        out << "FAILED: loaded " << loaded.loaded << ", " << ui.messages << " messages " << ui.last << "\n";
        return 1;
    }
    time.print(out, "load");
    out << "load_rows " << loaded.loaded << "\n" << "load_peak_rss_kb " << PeakKilobytes() << "\n";
    return 0;
}

// The stored rows of VERIFY, as the load hands them to the database.
std::vector<QStringList> storedRows(const QString &dbPath)
{
    auto de = DataEnvironment::openFile(dbPath);
    Statement st = de->Zolt().database().prepare(QStringLiteral("SELECT * FROM VERIFY"));
    std::vector<QStringList> rows;
    while (st.step()) {
        QStringList row;
        for (int c = 0; c < st.columnCount(); ++c)
            row << st.column(c).toString();
        rows.push_back(row);
    }
    return rows;
}

// The parts of the workbook the load reads: the shared strings and the
// sheets.
QStringList readParts(const ZipArchive &archive)
{
    QStringList parts;
    for (qint64 i = 0; i < archive.partCount(); ++i) {
        const QString name = archive.partName(i);
        if (name.startsWith(QStringLiteral("xl/worksheets/")) || name == QStringLiteral("xl/sharedStrings.xml"))
            parts << name;
    }
    return parts;
}

// Unpacking those parts alone, then unpacking and scanning their XML alone:
// the floor of reading the workbook.
void unpackAndScan(const QString &workbook, QTextStream &out)
{
    Timing unpack;
    Timing scan;
    for (int run = 0; run < 3; ++run) {
        const ZipArchive archive(workbook);
        const QStringList parts = readParts(archive);
        unpack.measure([&] {
            static char buffer[64 * 1024];
            for (const QString &name : parts) {
                const auto part = archive.open(name);
                while (part->read(buffer, sizeof buffer) > 0) {
                }
            }
        });
        scan.measure([&] {
            for (const QString &name : parts) {
                const auto part = archive.open(name);
                XmlScanner xml(*part);
                while (xml.next() != XmlScanner::EndOfDocument) {
                }
            }
        });
    }
    unpack.print(out, "unpack_only");
    scan.print(out, "unpack_and_scan");
}

// The reader alone: every cell of every sheet as text.
void readerOnly(const QString &workbook, QTextStream &out)
{
    Timing time;
    qint64 cells = 0;
    for (int run = 0; run < 3; ++run) {
        time.measure([&] { cells = ReadEveryCell(workbook); });
    }
    time.print(out, "reader_only");
    out << "reader_cells " << cells << "\n";
}

// Inserting the rows alone, through the insert the load uses, in one
// transaction on an empty table: the floor of the load's storing.
void insertOnly(const QString &dbPath, const QString &scratchPath, QTextStream &out)
{
    const std::vector<QStringList> rows = storedRows(dbPath);
    Timing time;
    for (int run = 0; run < 3; ++run) {
        QFile::remove(scratchPath);
        QFile::remove(scratchPath + QStringLiteral("-wal"));
        CreateDatabaseFile(scratchPath);
        auto de = DataEnvironment::openFile(scratchPath);
        Database &db = de->Zolt().database();
        QStringList fields;
        Statement names = db.prepare(QStringLiteral("SELECT * FROM VERIFY"));
        for (int c = 0; c < names.columnCount(); ++c)
            fields << names.columnName(c);
        db.exec(QStringLiteral("PRAGMA cache_size = -65536"));
        time.measure([&] {
            Transaction transaction(de->Zolt());
            BatchInsert insert(db, QStringLiteral("VERIFY"), fields, 32);
            for (const QStringList &row : rows) {
                for (const QString &value : row)
                    insert.text(value);
                insert.addRow();
            }
            insert.flush();
            transaction.commit();
        });
    }
    time.print(out, "insert_only");
}

// What the load cannot go below, each part measured alone, best of three.
int limits(const QString &workbook, const QString &dbPath, const QString &scratchPath, QTextStream &out)
{
    unpackAndScan(workbook, out);
    readerOnly(workbook, out);
    insertOnly(dbPath, scratchPath, out);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    if (mode == u"database" && (args.size() == 2 || args.size() == 3))
        return makeDatabase(args[1], args.size() == 3 ? args[2].toInt() : Folios, out);
    if (mode == u"export" && args.size() == 3)
        return exportOnce(args[1], args[2], out);
    if (mode == u"spreadsheet" && args.size() == 3)
        return spreadsheetWorkbook(args[1], args[2], out);
    if (mode == u"load" && args.size() == 3)
        return loadOnce(args[1], args[2], out);
    if (mode == u"limits" && args.size() == 4)
        return limits(args[1], args[2], args[3], out);
    QTextStream(stderr) << "Usage: bench_verify database DB [FOLIOS] | export DB WORKBOOK | spreadsheet DB WORKBOOK"
                           " | load WORKBOOK DB"
                           " | limits WORKBOOK DB SCRATCH_DB\n";
    return 2;
}
