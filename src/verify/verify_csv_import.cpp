#include "verify_csv_import.h"

#include "verify_csv.h"
#include "verify_csv_line.h"
#include "verify_folios.h"

#include "common/error_trap.h"
#include "common/progress_count.h"
#include "common/read_ahead.h"
#include "common/session.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "store/batch_insert.h"
#include "store/data_environment.h"
#include "store/table_rows.h"

#include <QHash>
#include <array>
#include <chrono>

#include <future>
#include <optional>

namespace zolt::verify {
namespace {

const QString LineBreak = QStringLiteral("\r\n");
constexpr qint16 ReportsBeforeQuestion = 6;
// Stored lines are committed before every report, question and stop, so
// that what the user sees stored is stored, and at the end. Not in groups of
// lines between: the lines come in the list's order, which is not the
// table's, so every group would rewrite most of the table (a hundred
// thousand folios wrote a gigabyte in groups of 5,000, 34 MB in one).

// The folios of VERIFY by jurisdiction and folio (its 18 digits), and by
// jurisdiction and PID: for each key the first folio in the list's order.
class FolioIndex {
public:
    struct Stored {
        qint64 rowid;
        QString number;
    };

    FolioIndex() = default;
    // The table is read in its own order, which is quick; only the folios
    // that share a key are put in the list's order, to find the first.
    FolioIndex(Database &db, const QString &listSource)
    {
        ReadRows(db, QStringLiteral("VERIFY"),
                 {QStringLiteral("JUR"), QStringLiteral("FOLIO"), QStringLiteral("PID"), QStringLiteral("NUMBER")},
                 [this](qint64 rowid, const QStringList &v) { addStored(rowid, v[0], v[1], v[2], v[3]); });
        if (!m_folioRivals.empty() || !m_pidRivals.empty())
            settleRivals(db, listSource);
    }

    // A folio the import stored: it takes no key another folio holds.
    void add(qint64 rowid, const CheckedVerifyLine &line)
    {
        add(rowid, line.values[Number], line.folioKey, line.pidKey);
    }
    // The folio a line matches; null for none.
    const Stored *match(const CheckedVerifyLine &line) const
    {
        const bool byPid = !line.folioKey;
        const int key = byPid ? m_pids.indexOf(*line.pidKey) : m_folios.indexOf(*line.folioKey);
        return key < 0 ? nullptr : &m_rows[size_t((byPid ? m_pidRows : m_folioRows)[size_t(key)])];
    }

private:
    using Key = std::optional<FoldedKeySet::Folded>;
    // A folio that has a key another holds: the key's index, the folio's row.
    struct Rival {
        int key;
        int row;
    };

    void addStored(qint64 rowid, const QString &jur, const QString &folio, const QString &pid, const QString &number)
    {
        // A folio stored as the workbook gave it ("12345678") is found by
        // its 18 digits, as the lines give it.
        const QString digits = folio.isEmpty() ? folio : NormalisedFolio(folio);
        const Key folioKey = digits.isEmpty() || IsNoFolio(digits) ? Key() : FoldedKeySet::fold({jur, digits});
        const Key pidKey = pid.isEmpty() ? Key() : FoldedKeySet::fold({jur, pid});
        const int row = int(m_rows.size());
        const Taken taken = add(rowid, number, folioKey, pidKey);
        if (folioKey && !taken.folio)
            m_folioRivals.push_back({m_folios.indexOf(*folioKey), row});
        if (pidKey && !taken.pid)
            m_pidRivals.push_back({m_pids.indexOf(*pidKey), row});
    }

    // Which of its keys a folio took: the ones no folio held.
    struct Taken {
        bool folio = false;
        bool pid = false;
    };
    Taken add(qint64 rowid, const QString &number, const Key &folioKey, const Key &pidKey)
    {
        const int row = int(m_rows.size());
        m_rows.push_back({rowid, number});
        Taken taken;
        if (folioKey && (taken.folio = m_folios.insert(*folioKey)))
            m_folioRows.push_back(row);
        if (pidKey && (taken.pid = m_pids.insert(*pidKey)))
            m_pidRows.push_back(row);
        return taken;
    }

    // Gives each shared key to the first of its folios in the list's order.
    void settleRivals(Database &db, const QString &listSource)
    {
        const std::array<std::pair<std::vector<Rival> *, std::vector<int> *>, 2> kinds = {
            std::pair{&m_folioRivals, &m_folioRows}, std::pair{&m_pidRivals, &m_pidRows}};
        auto rowidOf = [this](int row) { return m_rows[size_t(row)].rowid; };
        std::vector<qint64> rowids;
        for (const auto &[rivals, holders] : kinds)
            for (const Rival &rival : *rivals)
                rowids.insert(rowids.end(), {rowidOf(rival.row), rowidOf((*holders)[size_t(rival.key)])});
        QHash<qint64, qsizetype> place;
        const std::vector<qint64> ordered = RowsInSourceOrder(db, QStringLiteral("VERIFY"), listSource, rowids);
        for (size_t i = 0; i < ordered.size(); ++i)
            place.insert(ordered[i], qsizetype(i));
        for (const auto &[rivals, holders] : kinds) {
            for (const Rival &rival : *rivals) {
                int &holder = (*holders)[size_t(rival.key)];
                if (place.value(rowidOf(rival.row)) < place.value(rowidOf(holder)))
                    holder = rival.row;
            }
        }
    }

    std::vector<Stored> m_rows;
    FoldedKeySet m_folios, m_pids;            // the keys, each once
    std::vector<int> m_folioRows, m_pidRows;  // the row of each key, in m_rows
    std::vector<Rival> m_folioRivals, m_pidRivals;
};

// Lines read and checked ahead of the storing.
struct CheckedLines {
    std::vector<CheckedVerifyLine> lines;
    void clear() { lines.clear(); }
};

// Reads the whole file once: whether any line has the status column. A line
// too long or not text is refused here, before anything is changed.
bool hasStatusColumn(const QString &path)
{
    TextLineReader reader(path, VerifyCsvFileName);
    bool found = false;
    while (!reader.atEnd())
        found = BeginsWithStatus(reader.readLine()) || found;
    return found;
}

class CsvImport {
public:
    CsvImport(Session &session, const QString &mode, const QString &path)
        : m_session(session), m_mode(mode), m_path(path), m_db(session.de.Zolt().database())
    {
    }

    bool run()
    {
        std::optional<bool> withStatus = prepare();
        if (!withStatus)
            return false;
        bool whole = false;
        try {
            whole = readLines(*withStatus);
        } catch (const WorkStopped &) {
            commit();
        } catch (const ZoltError &e) {
            stopped(e);
        }
        m_session.de.Zolt().rollbackTrans();
        Recordset &folios = m_session.de.rsVerify();
        folios.close();
        folios.open();
        m_session.ui.letEventsRun();
        return whole;
    }

private:
    // Reads the file once for the status column while the reference codes
    // and the folios are read from the database, or option 2 empties the
    // table (kept only when the file passes); nothing when either fails,
    // which is reported.
    std::optional<bool> prepare()
    {
        std::future<bool> statusColumn = std::async(std::launch::async, hasStatusColumn, m_path);
        try {
            m_codes.emplace(m_session.de);
            std::optional<Transaction> deleting;
            if (m_mode == ImportOption2) {
                deleting.emplace(m_session.de.Zolt());
                m_session.de.Zolt().emptyTable(QStringLiteral("VERIFY"));
                m_index.emplace();
            } else {
                m_index.emplace(m_db, m_session.de.rsVerify().source());
            }
            while (statusColumn.wait_for(std::chrono::milliseconds(30)) != std::future_status::ready)
                m_session.ui.letEventsRun();
            const bool withStatus = statusColumn.get();
            if (deleting)
                deleting->commit();
            return withStatus;
        } catch (const ZoltError &e) {
            m_session.ui.message(e.description(), MessageIcon::Critical, QStringLiteral("Verify.csv"));
            return std::nullopt;
        }
    }

    bool readLines(bool withStatus)
    {
        TextLineReader reader(m_path, VerifyCsvFileName);
        const qint64 lineCount = reader.lineCount();
        QStringList fields;
        for (const CsvField &field : VerifyCsvFields())
            fields << field.name;
        m_insert.emplace(m_db, QStringLiteral("VERIFY"), fields);
        m_update.emplace(m_db, QStringLiteral("VERIFY"),
                         QStringList{QStringLiteral("ACD"), QStringLiteral("NAME"), QStringLiteral("ADDR1"),
                                     QStringLiteral("ADDR2"), QStringLiteral("ADDR3"), QStringLiteral("ADDR4"),
                                     QStringLiteral("ADDR5"), QStringLiteral("LEGAL")});
        ReadAhead<CheckedLines> checking([&](CheckedLines &batch, const std::function<bool()> &stopping) {
            return checkLines(reader, withStatus, batch, stopping);
        });
        // Option 2 writes the folios into an empty table in order: a small
        // cache does, where option 1's updates all over the table need it
        // whole.
        std::optional<PageCacheSize> cache;
        if (m_mode == ImportOption2)
            cache.emplace(m_db, 16);
        ProgressCount progress(m_session.ui, QStringLiteral("Importing Verify.csv"), lineCount);
        m_session.de.Zolt().beginTrans();
        while (CheckedLines *batch = nextLines(checking)) {
            for (CheckedVerifyLine &line : batch->lines) {
                m_line = line.number;
                handle(line);
                progress.step();
                if (m_reports >= ReportsBeforeQuestion && !askContinue())
                    return false;
            }
        }
        progress.finish();
        commit();
        return true;
    }

    // Runs on the checking thread.
    bool checkLines(TextLineReader &reader, bool withStatus, CheckedLines &batch,
                    const std::function<bool()> &stopping) const
    {
        constexpr size_t LinesPerBatch = 256;
        while (!reader.atEnd() && !stopping()) {
            CheckedVerifyLine &line = batch.lines.emplace_back();
            line.text = reader.readLine();
            line.number = reader.lineNumber();
            CheckVerifyCsvLine(line, withStatus, *m_codes);
            if (batch.lines.size() == LinesPerBatch)
                return !reader.atEnd();
        }
        return false;
    }

    // A line the checking could not read stops the import there.
    CheckedLines *nextLines(ReadAhead<CheckedLines> &checking)
    {
        try {
            return checking.next();
        } catch (const ZoltError &) {
            ++m_line;
            throw;
        }
    }

    void handle(const CheckedVerifyLine &line)
    {
        if (line.problem) {
            report(*line.problem, line.text);
            return;
        }
        const FolioIndex::Stored *match = m_index->match(line);
        if (match && m_mode == ImportOption2) {
            report(QStringLiteral("Duplicate Jurisdiction and (Folio Number or Property Identifier)."), line.text);
            return;
        }
        try {
            if (match)
                update(*match, line.values);
            else
                insert(line);
        } catch (const ZoltError &e) {
            if (!m_db.inTransaction())
                throw;  // the database ended the transaction: nothing more can be stored
            report(QStringLiteral("The database could not store the record: ") + e.description(), line.text);
        }
    }

    void insert(const CheckedVerifyLine &line)
    {
        for (int f = Acd; f < VerifyCsvFieldCount; ++f)
            m_insert->text(line.values[f]);
        m_insert->addRow();
        m_index->add(m_db.lastInsertRowId(), line);
    }

    // The same number takes the line's status; another is kept, marked changed.
    void update(const FolioIndex::Stored &folio, const VerifyCsvValues &v)
    {
        const bool sameNumber = TrimBlanks(folio.number).compare(v[Number], Qt::CaseInsensitive) == 0;
        m_update->run(folio.rowid, {sameNumber ? v[Acd] : Mark::Changed, v[Name], v[Addr1], v[Addr1 + 1],
                                    v[Addr1 + 2], v[Addr1 + 3], v[Addr1 + 4], v[Legal]});
    }

    // The file changed under the import, or the database ended the
    // transaction (a full disk): the lines committed stay.
    void stopped(const ZoltError &e)
    {
        bool stored = false;
        try {
            stored = m_db.inTransaction() && commit();
        } catch (const ZoltError &) {
        }
        m_session.ui.message(QStringLiteral("The import stopped at line %1: %2\r\nThe lines before line %3 are "
                                            "imported.")
                                 .arg(m_line)
                                 .arg(e.description())
                                 .arg(stored ? m_line : m_committedBefore),
                             MessageIcon::Critical, QStringLiteral("Verify.csv"));
    }

    // Commits the lines stored since the last commit and goes on in a new
    // transaction; answers false when the database had ended the
    // transaction, losing them.
    bool commit()
    {
        Connection &zolt = m_session.de.Zolt();
        if (zolt.transactionDepth() == 0)
            return true;
        if (!m_db.inTransaction()) {
            zolt.rollbackTrans();
            return false;
        }
        zolt.commitTrans();
        zolt.beginTrans();
        m_committedBefore = m_line + 1;
        return true;
    }

    void report(const QString &why, const QString &line)
    {
        commit();
        ShowInformation(m_session, QStringLiteral("CRITICAL"), QStringLiteral("Import ERROR"),
                        QStringLiteral("Record is NOT imported!") + LineBreak + why + LineBreak + u' ' + LineBreak
                            + QStringLiteral("Record:") + LineBreak + line);
        ++m_reports;
    }

    bool askContinue()
    {
        commit();
        if (!m_session.ui.askYesNo(
                QStringLiteral("There has been a number of errors... do you want to Continue ?"),
                QStringLiteral("Multiple Verification Folio Errors"), MessageIcon::Question))
            return false;
        m_reports = 0;
        return true;
    }

    Session &m_session;
    QString m_mode;
    QString m_path;
    Database &m_db;
    std::optional<ReferenceCodes> m_codes;
    std::optional<FolioIndex> m_index;
    std::optional<BatchInsert> m_insert;
    std::optional<RowUpdate> m_update;
    qint16 m_reports = 0;
    qint64 m_line = 0;             // the line being imported, from 1
    qint64 m_committedBefore = 1;  // the lines before it are committed
};

QString optionText(const QString &mode)
{
    return mode == ImportOption2 ? QStringLiteral("(option #2)") : QStringLiteral("(option #1)");
}

}  // namespace

bool ImportVerifyCsv(Session &session, const QString &mode, const QString &path)
{
    DataEnvironment &de = session.de;
    for (Recordset *rs : {&de.rsCollection_District(), &de.rsJurisdiction(), &de.rsCD_JUR()})
        rs->ensureOpen();
    if (!FileExists(path)) {
        session.ui.message(QStringLiteral("Verify.csv file is NOT found in the working directory"), MessageIcon::None,
                           QStringLiteral("Verify.csv file is missing"));
        return false;
    }
    return CsvImport(session, mode, path).run();
}

QString ImportCompleteText(const QString &mode)
{
    return QStringLiteral("Import from the Verify.csv file %1 complete. ").arg(optionText(mode));
}

QString ImportAbnormalText(const QString &mode)
{
    return QStringLiteral("ABNORMAL TERMINATION OR ERROR. Import from the Verify.csv file %1 is NOT complete. ")
        .arg(optionText(mode));
}

}  // namespace zolt::verify
