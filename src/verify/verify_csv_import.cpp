#include "verify_csv_import.h"

#include "verify_csv.h"
#include "verify_csv_folio_index.h"
#include "verify_csv_line.h"
#include "verify_folios.h"

#include "common/error_trap.h"
#include "common/progress_count.h"
#include "common/read_ahead.h"
#include "common/session.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "common/work_aside.h"
#include "store/batch_insert.h"
#include "store/data_environment.h"
#include "store/table_rows.h"

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

// Lines read and checked ahead of the storing, each with the folio of the
// list it matches.
struct CheckedLines {
    std::vector<CheckedVerifyLine> lines;
    std::vector<std::optional<StoredFolio>> listed;
    void clear()
    {
        lines.clear();
        listed.clear();
    }
};

// The file read whole, and whether any line has the status column. A line
// too long or not text is refused here, before anything is changed.
struct CheckedFile {
    std::unique_ptr<TextLineReader> reader;  // at its first line
    bool withStatus = false;
};

CheckedFile readWholeFile(const QString &path)
{
    CheckedFile file{std::make_unique<TextLineReader>(path, VerifyCsvFileName)};
    while (!file.reader->atEnd())
        file.withStatus = BeginsWithStatus(file.reader->skipLine()) || file.withStatus;
    file.reader->rewind();
    return file;
}

class CsvImport {
public:
    CsvImport(Session &session, const QString &mode, const QString &path)
        : m_session(session), m_mode(mode), m_path(path), m_db(session.de.Zolt().database())
    {
    }

    bool run()
    {
        std::optional<CheckedFile> file = prepare();
        if (!file)
            return false;
        bool whole = false;
        try {
            whole = readLines(*file->reader, file->withStatus);
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
    // Reads the file whole, for the status column, while the reference codes
    // and the folios are read from the database, or option 2 empties the
    // table (kept only when the file passes); nothing when either fails,
    // which is reported.
    std::optional<CheckedFile> prepare()
    {
        std::future<CheckedFile> reading = std::async(std::launch::async, readWholeFile, m_path);
        try {
            m_codes.emplace(m_session.de);
            std::optional<Transaction> deleting;
            if (m_mode == ImportOption2) {
                // Option 2 empties the table and writes the folios into it
                // one after another: a small page cache does, where option
                // 1's updates all over the table need it whole.
                m_smallCache.emplace(m_db, 16);
                deleting.emplace(m_session.de.Zolt());
                // One statement that frees every page of the table: on a
                // thread of its own while the window paints.
                WorkAside([this] { m_session.de.Zolt().emptyTableToRefill(QStringLiteral("VERIFY")); },
                          [this] { m_session.ui.letEventsRun(); });
                m_index.emplace();
            } else {
                m_index.emplace(m_db, m_session.de.rsVerify().source(), [this] { m_session.ui.letEventsRun(); });
            }
            while (reading.wait_for(std::chrono::milliseconds(30)) != std::future_status::ready)
                m_session.ui.letEventsRun();
            CheckedFile file = reading.get();
            if (deleting)
                deleting->commit();
            return file;
        } catch (const ZoltError &e) {
            m_session.ui.message(e.description(), MessageIcon::Critical, QStringLiteral("Verify.csv"));
            return std::nullopt;
        }
    }

    bool readLines(TextLineReader &reader, bool withStatus)
    {
        const qint64 lineCount = reader.lineCount();
        // Option 2 stores every line.
        if (m_mode == ImportOption2)
            m_added.reserve(lineCount);
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
        ProgressCount progress(m_session.ui, QStringLiteral("Importing Verify.csv"), lineCount);
        m_session.de.Zolt().beginTrans();
        while (CheckedLines *batch = checking.next()) {
            for (size_t i = 0; i < batch->lines.size(); ++i) {
                const CheckedVerifyLine &line = batch->lines[i];
                m_line = line.number;
                handle(line, batch->listed[i]);
                progress.step();
                if (m_reports >= ReportsBeforeQuestion && !askContinue())
                    return false;
            }
        }
        progress.finish();
        commit();
        return true;
    }

    // Runs on the checking thread, which looks the lines up in the folios of
    // the list: they stay as they are while it runs.
    bool checkLines(TextLineReader &reader, bool withStatus, CheckedLines &batch,
                    const std::function<bool()> &stopping) const
    {
        constexpr size_t LinesPerBatch = 256;
        while (!reader.atEnd() && !stopping()) {
            // A line the reader refuses leaves nothing half-made in the batch.
            QString text = reader.readLine();
            CheckedVerifyLine &line = batch.lines.emplace_back();
            line.text = std::move(text);
            line.number = reader.lineNumber();
            CheckVerifyCsvLine(line, withStatus, *m_codes);
            batch.listed.push_back(line.problem ? std::nullopt : m_index->match(line));
            if (batch.lines.size() == LinesPerBatch)
                return !reader.atEnd();
        }
        return false;
    }

    void handle(const CheckedVerifyLine &line, const std::optional<StoredFolio> &listed)
    {
        if (line.problem) {
            report(*line.problem, line.text);
            return;
        }
        // A folio of the list holds its keys before any the import stored.
        const std::optional<StoredFolio> match = listed ? listed : m_added.match(line);
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
        m_added.add(m_db.lastInsertRowId(), line);
    }

    // The same number takes the line's status; another is kept, marked changed.
    void update(const StoredFolio &folio, const VerifyCsvValues &v)
    {
        const bool sameNumber = folio.number.compare(v[Number], Qt::CaseInsensitive) == 0;
        m_update->run(folio.rowid, {sameNumber ? v[Acd] : Mark::Changed, v[Name], v[Addr1], v[Addr1 + 1],
                                    v[Addr1 + 2], v[Addr1 + 3], v[Addr1 + 4], v[Legal]});
    }

    // The database ended the transaction (a full disk): the lines committed
    // stay.
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
    std::optional<PageCacheSize> m_smallCache;
    std::optional<ReferenceCodes> m_codes;
    std::optional<FolioIndex> m_index;  // the folios of the list before the import
    FolioIndex m_added;                 // the folios the import stored
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

QString ImportCancelledText(const QString &mode)
{
    return QStringLiteral("Import from the Verify.csv file %1 cancelled: the lines read before the Cancel are stored, "
                          "the others are not. Import the file again to finish.")
        .arg(optionText(mode));
}

}  // namespace zolt::verify
