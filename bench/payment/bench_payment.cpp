// The payment file at its largest: writes a file of 100,000 payments in 1,000
// agencies with 50 folio masks, then times its load and save on a fresh
// database and reports the peak memory of the process.
//
//   bench_payment generate DIR   Zoltdata.csv and details.csv (the detail lines alone)
//   bench_payment run DIR        load and save DIR/Zoltdata.csv

#include "common/number_format.h"
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

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <sys/resource.h>

using namespace zolt;

namespace {

constexpr int Agencies = 1000;
constexpr int PaymentsPerAgency = 100;
constexpr int Masks = 50;

class QuietDialog : public UserDialog {
public:
    void message(const QString &text, MessageIcon, const QString &) override { QTextStream(stderr) << text << "\n"; }
    bool askYesNo(const QString &, const QString &, MessageIcon) override { return false; }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    void beep() override {}
    void letEventsRun() override {}
    void setBusy(bool) override {}
};

QString detailLine(int agency, int n)
{
    const int jur = 100 + (agency * 7 + n) % Masks;
    const double gross = 100 + (agency * 31 + n * 17) % 5000 + 0.25;
    const QString name = (n % 10 == 0) ? QStringLiteral("MÜLLER %1").arg(n) : QStringLiteral("OWNER %1-%2").arg(agency).arg(n);
    return QStringLiteral("#M%1-%2,%3,%4,%5,#%6,%7,B,%8,%9,%10,0.00,LOT %2 PLAN %1")
        .arg(agency).arg(n).arg(name).arg(1 + n % 20, 2, 10, QLatin1Char('0')).arg(jur)
        .arg(qint64(agency) * 100000 + n, 10, 10, QLatin1Char('0'))
        .arg(FormatAmount(gross - 50), FormatAmount(gross),
             FormatAmount(gross - 50), FormatAmount(gross - 75));
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
    writeLine(file, payment::YearLinePrefix + QString::number(payment::CurrentYear()));
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

// Processor time of the process so far, which a busy machine disturbs less
// than the clock.
qint64 cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
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

    qint64 cpu = cpuMs();
    payment::PaymentFileParser(input, payment::CurrentYear()).readItems([](payment::PaymentItem &&) {});
    out << "read_and_check_cpu_ms " << cpuMs() - cpu << " (a part of the load)\n";
    QElapsedTimer timer;
    timer.start();
    cpu = cpuMs();
    if (!payment::Csv2Mdb(session, input).loaded() || shared.duplicates.found)
        return 1;
    out << "load_ms " << timer.elapsed() << "\n";
    out << "load_cpu_ms " << cpuMs() - cpu << "\n";
    Statement count = de->Zolt().database().prepare(QStringLiteral("SELECT count(*) FROM Detail"));
    count.step();
    out << "load_payments " << count.column(0).toLongLong() << " (" << de->rsDetail().recordCount()
        << " in the last agency)\n";
    out.flush();

    // Save twice: over a new file, then over it (with the backup copy).
    const QString output = QDir(dir).filePath(QStringLiteral("Saved.csv"));
    for (const char *label : {"save", "save_over"}) {
        timer.restart();
        cpu = cpuMs();
        if (!payment::Mdb2Csv(session, QString(), output, QDir(dir).filePath(QStringLiteral("Saved.bak"))).saved)
            return 1;
        out << label << "_ms " << timer.elapsed() << "\n" << label << "_cpu_ms " << cpuMs() - cpu << "\n";
    }
    out << "peak_rss_mb " << peakRssKb() / 1024 << "\n";
    // Last, so that its second copy of the rows does not count in the peak.
    cpu = cpuMs();
    de->rsDetail().requery();
    de->rsDetail().setFilter(shared.gFilter);
    de->rsDetail().recordCount();  // rows are read at their first use
    out << "detail_requery_cpu_ms " << cpuMs() - cpu << " (all payments read again in their sorted order)\n";

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
