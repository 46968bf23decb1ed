// Verify.csv at the size the issue names: 100,000 folios with every column
// filled with realistic values, next to the workbook load of the same folios.
//
//   bench_verify_csv database DB [FOLIOS]  a working database holding them
//   bench_verify_csv workbook DB BOOK      the verification workbook of DB
//   bench_verify_csv load BOOK DB          one workbook load of BOOK into DB
//   bench_verify_csv export DB CSV         one Verify.csv export of DB
//   bench_verify_csv import DB CSV 1|2     one import of CSV into DB
//
// Each mode prints "key value" lines (times, peak memory): run each in a
// process of its own (bench/verify/run_csv.sh does).

#include "common/session.h"
#include "store/connection.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "support/bench_rows.h"
#include "support/measure.h"
#include "support/realistic_data.h"
#include "verify/verify_csv.h"
#include "verify/verify_csv_import.h"
#include "verify/verify_export.h"
#include "verify/verify_folios.h"
#include "verify/verify_load.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using namespace zolt;
using namespace zolt::bench;

namespace {

// The realistic row with codes the import accepts: districts 01-99,
// jurisdictions 701-799, folios of 18 digits.
QVariantList folioRow(int i)
{
    QStringList row = VerifyRow(i, true);
    row[5] = Code(701 + i % 99, 3);
    row[6] = verify::NormalisedFolio(row[6]);
    QVariantList values;
    for (const QString &value : row)
        values << value;
    return values;
}

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
               folios, folioRow);
    InsertRows(db, QStringLiteral("INSERT INTO Fol_Mask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES (?, ?, ?, ?)"),
               99, [](int i) { return QVariantList{QStringLiteral("2026"), Code(701 + i, 3), 12,
                                                   QStringLiteral("###-###-######")}; });
    InsertRows(db, QStringLiteral("INSERT INTO Collection_District VALUES (?, ?)"), 99,
               [](int i) { return QVariantList{Code(i + 1, 2), PlaceName(i)}; });
    InsertRows(db, QStringLiteral("INSERT INTO Jurisdiction VALUES (?, ?)"), 99,
               [](int i) { return QVariantList{Code(701 + i, 3), PlaceName(i + 1000)}; });
    InsertRows(db, QStringLiteral("INSERT INTO CD_JUR VALUES (?, ?)"), 99 * 99,
               [](int i) { return QVariantList{Code(1 + i % 99, 2), Code(701 + i / 99, 3)}; });
    transaction.commit();
    out << "folios " << folios << "\n";
    return 0;
}

struct Run {
    explicit Run(const QString &dbPath) : de(DataEnvironment::openFile(dbPath)), session{*de, ui, shared} {}
    std::unique_ptr<DataEnvironment> de;
    QuietDialog ui;
    SharedValues shared;
    Session session;

    int failed(QTextStream &out)
    {
        out << "FAILED: " << ui.messages << " messages, the last: " << ui.last << "\n";
        return 1;
    }
};

int workbook(const QString &dbPath, const QString &book, QTextStream &out)
{
    Run run(dbPath);
    return verify::Mdb2Xls(run.session, book) ? 0 : run.failed(out);
}

// As at a start of the program: VERIFY empty, the reference tables filled.
int loadOnce(const QString &book, const QString &dbPath, QTextStream &out)
{
    Run run(dbPath);
    run.de->Zolt().execute(QStringLiteral("DELETE FROM VERIFY"));
    Timing time;
    verify::VerifyLoadResult loaded;
    time.measure([&] { loaded = verify::Xls2Mdb(run.session, book, nullptr); });
    if (loaded.loaded == 0)
        return run.failed(out);
    time.print(out, "load");
    out << "load_rows " << loaded.loaded << "\nload_peak_rss_kb " << PeakKilobytes() << "\n";
    return 0;
}

int exportOnce(const QString &dbPath, const QString &csv, QTextStream &out)
{
    Run run(dbPath);
    Timing time;
    qint64 lines = 0;
    QString step;
    time.measure([&] { lines = verify::ExportVerifyCsv(run.session, csv, step); });
    time.print(out, "csv_export");
    out << "csv_export_rows " << lines << "\ncsv_export_peak_rss_kb " << PeakKilobytes() << "\n";
    return 0;
}

int importOnce(const QString &dbPath, const QString &csv, const QString &option, QTextStream &out)
{
    Run run(dbPath);
    const QString mode = option == u"2" ? verify::ImportOption2 : verify::ImportOption1;
    Timing time;
    bool whole = false;
    time.measure([&] { whole = verify::ImportVerifyCsv(run.session, mode, csv); });
    if (!whole || run.ui.messages != 0)
        return run.failed(out);
    const QByteArray key = "csv_import" + option.toLatin1();
    time.print(out, key.constData());
    // The peak of the import, before the rows are counted through the list.
    out << key << "_peak_rss_kb " << PeakKilobytes() << "\n"
        << key << "_rows " << run.de->rsVerify().recordCount() << "\n";
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList a = app.arguments().mid(1);
    const QString mode = a.value(0);
    if (mode == u"database" && a.size() >= 2)
        return makeDatabase(a[1], a.size() > 2 ? a[2].toInt() : 100000, out);
    if (mode == u"workbook" && a.size() == 3)
        return workbook(a[1], a[2], out);
    if (mode == u"load" && a.size() == 3)
        return loadOnce(a[1], a[2], out);
    if (mode == u"export" && a.size() == 3)
        return exportOnce(a[1], a[2], out);
    if (mode == u"import" && a.size() == 4)
        return importOnce(a[1], a[2], a[3], out);
    out << "usage: bench_verify_csv database DB [FOLIOS] | workbook DB BOOK | load BOOK DB | export DB CSV | "
           "import DB CSV 1|2\n";
    return 2;
}
