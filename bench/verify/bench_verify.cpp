// Times the verification workbook export and load on a generated workbook of
// 50,000 folios with 100 masks, 99 districts, 99 jurisdictions and 500 pairs.
// Usage: bench_verify WORKBOOK_PATH   (the workbook is left there for comparison)

#include "common/session.h"
#include "common/workbook/workbook_reader.h"
#include "common/user_dialog.h"
#include "store/connection.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "verify/verify_export.h"
#include "verify/verify_load.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>
#include <time.h>

using namespace zolt;

namespace {

constexpr int Folios = 50000;

// Counts what would have been said; the benchmark expects silence.
class QuietDialog : public UserDialog {
public:
    void message(const QString &text, MessageIcon, const QString &) override
    {
        ++messages;
        last = text;
    }
    bool askYesNo(const QString &, const QString &, MessageIcon) override { return false; }
    QString inputBox(const QString &, const QString &, const QString &) override { return QString(); }
    void beep() override {}
    void letEventsRun() override {}
    void setBusy(bool) override {}
    int messages = 0;
    QString last;
};

// Processor time of this process, which a busy machine disturbs less than
// the wall clock.
qint64 cpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

qint64 peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void fillTables(DataEnvironment &de)
{
    sql::Database &db = de.Zolt().database();
    Transaction transaction(de.Zolt());
    sql::Statement verify = db.prepare(QStringLiteral(
        "INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, PID, NAME, ADDR1, ADDR2, ADDR3, ADDR4, ADDR5, LEGAL) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < Folios; ++i) {
        const QString cd = QString::number(1 + i % 99).rightJustified(2, u'0');
        const QString jur = QString::number(1 + i % 99).rightJustified(3, u'0');
        verify.reset();
        verify.bindAll({QStringLiteral(" "), QStringLiteral("%1").arg(i % 40, 4, 10, QChar(u'0')),
                        QStringLiteral("M%1").arg(i, 9, 10, QChar(u'0')), cd, jur,
                        QStringLiteral("%1").arg(qint64(i) * 7919 + 100000, 12, 10, QChar(u'0')),
                        QStringLiteral("%1").arg(i, 9, 10, QChar(u'0')),
                        QStringLiteral("OWNER NUMBER %1 AND SPOUSE").arg(i),
                        QStringLiteral("%1 MAIN STREET").arg(i % 997), QStringLiteral("UNIT %1").arg(i % 50),
                        QStringLiteral("PORT OF SPAIN"), QString(), QString(),
                        QStringLiteral("LOT %1 PLAN %2").arg(i % 300).arg(i % 1000)});
        verify.run();
    }
    auto rows = [&db](const QString &sql, int count, const std::function<QVariantList(int)> &values) {
        sql::Statement st = db.prepare(sql);
        for (int i = 0; i < count; ++i) {
            st.reset();
            st.bindAll(values(i));
            st.run();
        }
    };
    rows(QStringLiteral("INSERT INTO Fol_Mask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES (?, ?, ?, ?)"), 100,
         [](int i) { return QVariantList{QStringLiteral("2026"), QString::number(i + 1).rightJustified(3, u'0'), 12,
                                         QStringLiteral("###-###-######")}; });
    rows(QStringLiteral("INSERT INTO Collection_District VALUES (?, ?)"), 99,
         [](int i) { return QVariantList{QString::number(i + 1).rightJustified(2, u'0'),
                                         QStringLiteral("DISTRICT %1").arg(i + 1)}; });
    rows(QStringLiteral("INSERT INTO Jurisdiction VALUES (?, ?)"), 99,
         [](int i) { return QVariantList{QString::number(i + 1).rightJustified(3, u'0'),
                                         QStringLiteral("JURISDICTION %1").arg(i + 1)}; });
    rows(QStringLiteral("INSERT INTO CD_JUR VALUES (?, ?)"), 500,
         [](int i) { return QVariantList{QString::number(1 + i % 99).rightJustified(2, u'0'),
                                         QString::number(1 + (i / 99) * 17 % 99 + i % 7).rightJustified(3, u'0')}; });
    transaction.commit();
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        QTextStream(stderr) << "Usage: bench_verify WORKBOOK_PATH\n";
        return 2;
    }
    const QString workbook = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir dir;
    sql::CreateDatabaseFile(dir.filePath(QStringLiteral("Zolt.mdb")));
    auto de = DataEnvironment::openFile(dir.filePath(QStringLiteral("Zolt.mdb")));
    QuietDialog ui;
    SharedValues shared;
    Session session{*de, ui, shared};

    fillTables(*de);
    const qint64 peakBefore = peakKilobytes();

    QElapsedTimer timer;
    timer.start();
    qint64 cpu = cpuMilliseconds();
    const bool exported = Mdb2Xls(session, workbook);
    const qint64 exportMs = timer.elapsed();
    const qint64 exportCpuMs = cpuMilliseconds() - cpu;
    const qint64 peakExport = peakKilobytes();

    // The workbook reading alone, for the share of the load it takes.
    timer.restart();
    cpu = cpuMilliseconds();
    qint64 cells = 0;
    {
        auto reader = WorkbookReader::open(workbook);
        for (int sheet = 1; sheet <= reader->sheetCount(); ++sheet)
            cells += reader->sheet(sheet).cellCount();
    }
    const qint64 readMs = timer.elapsed();
    const qint64 readCpuMs = cpuMilliseconds() - cpu;

    // The load runs as in the next start of the program: no recordset open,
    // VERIFY emptied as the verification task leaves it, the reference
    // tables still filled (the load empties them).
    de->Zolt().execute(QStringLiteral("DELETE FROM VERIFY"));
    de.reset();
    de = DataEnvironment::openFile(dir.filePath(QStringLiteral("Zolt.mdb")));
    Session loadSession{*de, ui, shared};
    timer.restart();
    cpu = cpuMilliseconds();
    const VerifyLoadResult loaded = Xls2Mdb(loadSession, workbook, nullptr);
    const qint64 loadMs = timer.elapsed();
    const qint64 loadCpuMs = cpuMilliseconds() - cpu;
    const qint64 peakLoad = peakKilobytes();

    if (!exported || loaded.loaded != Folios || ui.messages != 0) {
        out << "FAILED: exported " << exported << ", loaded " << loaded.loaded << ", messages " << ui.messages
            << " " << ui.last << "\n";
        return 1;
    }
    out << "folios " << Folios << "\n"
        << "export_ms " << exportMs << "\n"
        << "export_cpu_ms " << exportCpuMs << "\n"
        << "load_ms " << loadMs << "\n"
        << "load_cpu_ms " << loadCpuMs << "\n"
        << "reader_only_ms " << readMs << " (" << cells << " filled cells)\n"
        << "reader_only_cpu_ms " << readCpuMs << "\n"
        << "peak_rss_kb_after_fill " << peakBefore << "\n"
        << "peak_rss_kb_after_export " << peakExport << "\n"
        << "peak_rss_kb_after_load " << peakLoad << "\n";
    return 0;
}
