// The payment file at its largest: writes a file of 100,000 payments in 1,000
// agencies with 50 folio masks, every field filled with realistic values
// (owners' names, legal descriptions), then times its load and save on a
// fresh database and reports the peak memory of the process.
//
//   bench_payment generate DIR   Zoltdata.csv and details.csv (the detail lines alone)
//   bench_payment run DIR        load and save DIR/Zoltdata.csv into DIR/bench.mdb

#include "common/number_format.h"
#include "common/clock.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "common/user_dialog.h"
#include "common/windows1252.h"
#include "payment/payment_file_parser.h"
#include "payment/payment_format.h"
#include "payment/payment_load.h"
#include "payment/payment_save.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "support/measure.h"
#include "support/realistic_data.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

using namespace zolt;
using namespace zolt::bench;

namespace {

constexpr int Agencies = 1000;
constexpr int PaymentsPerAgency = 100;
constexpr int Masks = 50;

// A payment line as the authority writes it: the mortgage number, the
// owner's name, district, jurisdiction, folio, payment, type, the three
// amounts, a delinquent amount and the legal description.
QString detailLine(int agency, int n)
{
    const int i = agency * PaymentsPerAgency + n;
    const int jur = 100 + (agency * 7 + n) % Masks;
    const double gross = 100 + (agency * 31 + n * 17) % 5000 + 0.25;
    const double delinquent = n % 9 == 0 ? 12.5 * (n % 7) : 0;
    return QStringLiteral("#%1,%2,%3,%4,#%5,%6,B,%7,%8,%9,%10,%11")
        .arg(MortgageNumber(i), OwnerName(i).remove(u','))
        .arg(1 + n % 20, 2, 10, QLatin1Char('0'))
        .arg(jur)
        .arg(qint64(agency) * 100000 + n, 10, 10, QLatin1Char('0'))
        .arg(FormatAmount(gross - 50 + delinquent), FormatAmount(gross), FormatAmount(gross - 50),
             FormatAmount(gross - 75), FormatAmount(delinquent), LegalDescription(i));
}

void writeLine(QFile &file, const QString &line)
{
    QByteArray bytes;
    EncodeWindows1252(line, bytes);
    bytes += "\r\n";
    file.write(bytes);
}

int generate(const QString &dir)
{
    QFile file(QDir(dir).filePath(QStringLiteral("Zoltdata.csv")));
    QFile details(QDir(dir).filePath(QStringLiteral("details.csv")));
    if (!file.open(QIODevice::WriteOnly) || !details.open(QIODevice::WriteOnly))
        return 1;
    writeLine(file, payment::YearLinePrefix + QString::number(CurrentYear()));
    writeLine(file, QString());
    writeLine(file, payment::MaskHeader);
    for (int m = 0; m < Masks; ++m)
        writeLine(file, QStringLiteral("%1%2").arg(100 + m).arg(10) + (m % 2 ? "###-###-####" : "##.##.######"));
    writeLine(file, QString());
    for (int a = 1; a <= Agencies; ++a) {
        writeLine(file, payment::GroupHeader);
        writeLine(file, QStringLiteral("Group #,%1").arg(a, 4, 10, QLatin1Char('0')));
        writeLine(file, QStringLiteral("Agency #,%1").arg(a, 4, 10, QLatin1Char('0')));
        writeLine(file, QStringLiteral("Payment Due Date,2026-04-30"));
        writeLine(file, QStringLiteral("Name1:,AGENCY %1 MORTGAGE").arg(a));
        writeLine(file, QStringLiteral("Address1:,%1 MAIN ST").arg(a));
        writeLine(file, QString());
        writeLine(file, payment::DetailHeader);
        writeLine(file, payment::ColumnHeading);
        for (int n = 1; n <= PaymentsPerAgency; ++n) {
            const QString line = detailLine(a, n);
            writeLine(file, line);
            writeLine(details, line);
        }
        writeLine(file, QString());
        writeLine(file, QString());
    }
    return 0;
}

int run(const QString &dir)
{
    const QString db = QDir(dir).filePath(QStringLiteral("bench.mdb"));
    QFile::remove(db);
    CreateDatabaseFile(db);
    auto de = DataEnvironment::openFile(db);
    QuietDialog ui;
    SharedValues shared;
    Session session{*de, ui, shared};
    QTextStream out(stdout);
    const QString input = QDir(dir).filePath(QStringLiteral("Zoltdata.csv"));

    Timing load;
    bool loaded = false;
    load.measure([&] {
        const payment::PaymentLoadResult result = payment::Csv2Mdb(session, input);
        loaded = result.loaded() && !result.duplicates.found;
    });
    if (!loaded || ui.messages != 0) {
        out << "FAILED: " << ui.last << "\n";
        return 1;
    }
    load.print(out, "load");
    // The log of the load's commit is copied into the file in the
    // background; the save is timed once that is done.
    QElapsedTimer copy;
    copy.start();
    de->Zolt().database().waitForLogCopy();
    out << "log_copy_after_load_ms " << copy.elapsed() << "\n";
    Statement count = de->Zolt().database().prepare(QStringLiteral("SELECT count(*) FROM Detail"));
    count.step();
    out << "load_payments " << count.column(0).toLongLong() << "\n";

    // Save over a new file, then over it (with the backup copy).
    const QString output = QDir(dir).filePath(QStringLiteral("Saved.csv"));
    for (const char *label : {"save", "save_over"}) {
        Timing save;
        bool saved = false;
        save.measure([&] {
            saved = payment::Mdb2Csv(session, QString(), output, QDir(dir).filePath(QStringLiteral("Saved.bak"))).saved;
        });
        if (!saved)
            return 1;
        save.print(out, label);
    }
    out << "peak_rss_kb " << PeakKilobytes() << "\n";
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    if (args[1] == u"generate")
        return generate(args[2]);
    if (args[1] == u"run")
        return run(args[2]);
    return 2;
}
