#include "verify_csv_import.h"

#include "verify_csv.h"
#include "verify_folios.h"

#include "common/csv_line.h"
#include "common/error_trap.h"
#include "common/folded_key_set.h"
#include "common/number_format.h"
#include "common/progress_count.h"
#include "common/session.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "store/batch_insert.h"
#include "store/data_environment.h"
#include "store/table_rows.h"

#include <QSet>
#include <array>
#include <optional>

namespace zolt::verify {
namespace {

const QString LineBreak = QStringLiteral("\r\n");
constexpr qint16 ReportsBeforeQuestion = 6;
// Stored lines are committed in groups of this many, and before every
// report, question and stop, so that what the user sees stored is stored.
constexpr int CommitEvery = 5000;

enum Field { Acd, Mortco, Number, Cd, Jur, Folio, Pid, Name, Addr1, Legal = 13, FieldCount };
// The values of a line by Field.
struct Values {
    std::array<QString, FieldCount> values;
    QString &operator[](int f) { return values[size_t(f)]; }
    const QString &operator[](int f) const { return values[size_t(f)]; }
};

QString folded(const QString &a, const QString &b)
{
    return (a + QChar(0x1F) + b).toCaseFolded();
}

// A line has the status column when it begins with a status and a comma,
// a blank and a comma, or a comma.
bool beginsWithStatus(const QString &line)
{
    const QString head = line.left(2).toUpper();
    return line.startsWith(u',') || head == u"A," || head == u"C," || head == u"D," || head == u" ,";
}

// Reads the whole file once: whether any line has the status column. A line
// too long or not text is refused here, before anything is changed.
bool hasStatusColumn(const QString &path)
{
    TextLineReader reader(path, VerifyCsvFileName);
    bool found = false;
    while (!reader.atEnd())
        found = beginsWithStatus(reader.readLine()) || found;
    return found;
}

// The values of a line, quotes removed: the status upper-cased (any other
// than A, C and D a blank), the codes trimmed and upper-cased, the texts
// upper-cased.
Values parse(const QString &line, bool withStatus)
{
    QString clean = line;
    clean.remove(u'"').remove(u'\'');
    const int first = withStatus ? Acd : Mortco;
    const std::vector<QStringView> fields = SplitCsvLine(clean, FieldCount - first);
    Values v;
    for (int f = first; f < FieldCount; ++f)
        v[f] = fields[size_t(f - first)].toString().toUpper();
    if (v[Acd] != Mark::Added && v[Acd] != Mark::Changed && v[Acd] != Mark::Deleted)
        v[Acd] = Mark::None;
    for (int f = Mortco; f <= Pid; ++f)
        v[f] = TrimBlanks(v[f]);
    return v;
}

bool numberIn(const QString &text, double low, double high)
{
    if (!IsNumeric(text))
        return false;
    const double value = NumericTextValue(text);
    return value >= low && value <= high;
}

// The codes of the reference tables, folded as the filters compare them.
struct ReferenceCodes {
    QSet<QString> districts, jurisdictions, pairs;

    explicit ReferenceCodes(DataEnvironment &de)
    {
        const QString cdField = QStringLiteral("Collection_District_Code");
        const QString jurField = QStringLiteral("Jurisdiction_Code");
        fill(de.rsCollection_District(), {cdField}, districts);
        fill(de.rsJurisdiction(), {jurField}, jurisdictions);
        fill(de.rsCD_JUR(), {cdField, jurField}, pairs);
    }

private:
    // Read through a cursor of its own, unfiltered, whatever a screen left
    // on the recordset.
    static void fill(Recordset &source, const QStringList &fields, QSet<QString> &into)
    {
        source.ensureOpen();
        const std::unique_ptr<Recordset> cursor = source.clone();
        const Recordset &rs = *cursor;
        const int a = rs.columnIndex(fields.first());
        const int b = fields.size() > 1 ? rs.columnIndex(fields.last()) : -1;
        for (qint64 r = 0; r < rs.recordCount(); ++r) {
            const QString first = rs.value(r, a).toString();
            into.insert(b < 0 ? first.toCaseFolded() : folded(first, rs.value(r, b).toString()));
        }
    }
};

// What the first failing check says of a line; the district made two digits
// and the folio made eighteen on the way.
std::optional<QString> problemOf(Values &v, const ReferenceCodes &codes)
{
    if (v[Mortco].isEmpty())
        return QStringLiteral("Mortgage Company ID is MISSING");
    if (v[Mortco].size() != 4)
        return QStringLiteral("Mortgage Company ID is NOT four characters long");
    if (v[Number].isEmpty())
        return QStringLiteral("Mortgage Number is MISSING");
    if (!numberIn(v[Cd], 1, 99))
        return QStringLiteral("Collection District is NOT valid (must be 01-99).");
    v[Cd] = (QStringLiteral("00") + v[Cd]).right(2);
    if (!codes.districts.contains(v[Cd].toCaseFolded()))
        return QStringLiteral("Collection District (%1) is NOT in the list of valid Collection Districts!").arg(v[Cd]);
    if (!numberIn(v[Jur], 701, 799))
        return QStringLiteral("Jurisdiction Code is NOT valid (must be 701-799).");
    if (!codes.jurisdictions.contains(v[Jur].left(3).toCaseFolded()))
        return QStringLiteral("Jurisdiction (%1) is NOT in the list of valid Jurisdictions!").arg(v[Jur]);
    if (!v[Folio].isEmpty() && !IsNumeric(v[Folio]))
        return QStringLiteral("Folio Number is NOT numeric.");
    if (!v[Pid].isEmpty() && !IsNumeric(v[Pid]))
        return QStringLiteral("Property Identifier is NOT numeric.");
    if (v[Folio].isEmpty() && v[Pid].isEmpty())
        return QStringLiteral("NO Folio Number or Property Identifier.");
    if (!codes.pairs.isEmpty() && !codes.pairs.contains(folded(v[Cd], v[Jur])))
        return QStringLiteral("Collection District (%1) and Jurisdiction (%2) is NOT in the list of valid "
                              "combinations!")
            .arg(v[Cd], v[Jur]);
    // VERIFY's fields hold no more than their widths.
    for (int f = Acd; f < FieldCount; ++f) {
        const CsvField &field = VerifyCsvFields()[size_t(f)];
        if (v[f].size() > field.width)
            return QStringLiteral("%1 is longer than %2 characters (the most the VERIFY field holds).")
                .arg(field.name)
                .arg(field.width);
    }
    if (!v[Folio].isEmpty()) {
        v[Folio] = NormalisedFolio(v[Folio]);
        if (IsNoFolio(v[Folio]))
            return QStringLiteral("Folio Number is MISSING");
    }
    return std::nullopt;
}

// The folios of VERIFY by jurisdiction and folio (its 18 digits), and by
// jurisdiction and PID: for each key the first folio in the list's order.
class FolioIndex {
public:
    struct Stored {
        qint64 rowid;
        QString number;
    };

    FolioIndex(Database &db, const QString &listSource)
    {
        ReadRowsInSourceOrder(db, QStringLiteral("VERIFY"),
                              {QStringLiteral("JUR"), QStringLiteral("FOLIO"), QStringLiteral("PID"),
                               QStringLiteral("NUMBER")},
                              listSource, [this](qint64 rowid, const QStringList &v) { add(rowid, v[0], v[1], v[2], v[3]); });
    }

    void add(qint64 rowid, const QString &jur, const QString &folio, const QString &pid, const QString &number)
    {
        const int index = int(m_rows.size());
        m_rows.push_back({rowid, number});
        // A folio stored as the workbook gave it ("12345678") is found by
        // its 18 digits, as the lines give it.
        const QString digits = folio.isEmpty() ? folio : NormalisedFolio(folio);
        if (!digits.isEmpty() && !IsNoFolio(digits) && m_folios.insert({jur, digits}))
            m_folioRows.push_back(index);
        if (!pid.isEmpty() && m_pids.insert({jur, pid}))
            m_pidRows.push_back(index);
    }
    // The folio a line matches; null for none.
    const Stored *match(const Values &v) const
    {
        const bool byPid = v[Folio].isEmpty();
        const int key = (byPid ? m_pids : m_folios).indexOf({v[Jur], byPid ? v[Pid] : v[Folio]});
        return key < 0 ? nullptr : &m_rows[size_t((byPid ? m_pidRows : m_folioRows)[size_t(key)])];
    }

private:
    std::vector<Stored> m_rows;
    FoldedKeySet m_folios, m_pids;         // the keys, each once
    std::vector<int> m_folioRows, m_pidRows;  // the row of each key, in m_rows
};

class CsvImport {
public:
    CsvImport(Session &session, const QString &mode, const QString &path)
        : m_session(session), m_mode(mode), m_path(path), m_db(session.de.Zolt().database())
    {
    }

    bool run()
    {
        bool withStatus = false;
        try {
            withStatus = hasStatusColumn(m_path);
        } catch (const ZoltError &e) {
            m_session.ui.message(e.description(), MessageIcon::Critical, QStringLiteral("Verify.csv"));
            return false;
        }
        if (m_mode == ImportOption2) {
            Transaction deleting(m_session.de.Zolt());
            m_session.de.Zolt().emptyTable(QStringLiteral("VERIFY"));
            deleting.commit();
            m_session.ui.letEventsRun();
        }
        bool whole = false;
        try {
            whole = readLines(withStatus);
        } catch (const WorkStopped &) {
            commit();
        } catch (const ZoltError &e) {
            // The file changed under the import, or the database ended the
            // transaction (a full disk): the lines committed stay.
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
        m_session.de.Zolt().rollbackTrans();
        Recordset &folios = m_session.de.rsVerify();
        folios.close();
        folios.open();
        m_session.ui.letEventsRun();
        return whole;
    }

private:
    bool readLines(bool withStatus)
    {
        TextLineReader reader(m_path, VerifyCsvFileName);
        const ReferenceCodes codes(m_session.de);
        m_index.emplace(m_db, m_session.de.rsVerify().source());
        QStringList fields;
        for (const CsvField &field : VerifyCsvFields())
            fields << field.name;
        m_insert.emplace(m_db, QStringLiteral("VERIFY"), fields);
        m_update.emplace(m_db, QStringLiteral("VERIFY"),
                         QStringList{QStringLiteral("ACD"), QStringLiteral("NAME"), QStringLiteral("ADDR1"),
                                     QStringLiteral("ADDR2"), QStringLiteral("ADDR3"), QStringLiteral("ADDR4"),
                                     QStringLiteral("ADDR5"), QStringLiteral("LEGAL")});
        const LargePageCache cache(m_db);
        ProgressCount progress(m_session.ui, QStringLiteral("Importing Verify.csv"), reader.lineCount());
        m_session.de.Zolt().beginTrans();
        while (!reader.atEnd()) {
            m_line = reader.lineNumber() + 1;
            const QString line = reader.readLine();
            handle(line, codes, withStatus);
            progress.step();
            if (++m_uncommitted >= CommitEvery)
                commit();
            if (m_reports >= ReportsBeforeQuestion && !askContinue())
                return false;
        }
        progress.finish();
        commit();
        return true;
    }

    void handle(const QString &line, const ReferenceCodes &codes, bool withStatus)
    {
        Values v = parse(line, withStatus);
        if (const std::optional<QString> problem = problemOf(v, codes)) {
            report(*problem, line);
            return;
        }
        const FolioIndex::Stored *match = m_index->match(v);
        if (match && m_mode == ImportOption2) {
            report(QStringLiteral("Duplicate Jurisdiction and (Folio Number or Property Identifier)."), line);
            return;
        }
        try {
            if (match)
                update(*match, v);
            else
                insert(v);
        } catch (const ZoltError &e) {
            if (!m_db.inTransaction())
                throw;  // the database ended the transaction: nothing more can be stored
            report(QStringLiteral("The database could not store the record: ") + e.description(), line);
        }
    }

    void insert(const Values &v)
    {
        for (int f = Acd; f < FieldCount; ++f)
            m_insert->text(v[f]);
        m_insert->addRow();
        m_index->add(m_db.lastInsertRowId(), v[Jur], v[Folio], v[Pid], v[Number]);
    }

    // The same number takes the line's status; another is kept, marked changed.
    void update(const FolioIndex::Stored &folio, const Values &v)
    {
        const bool sameNumber = TrimBlanks(folio.number).compare(v[Number], Qt::CaseInsensitive) == 0;
        m_update->run(folio.rowid, {sameNumber ? v[Acd] : Mark::Changed, v[Name], v[Addr1], v[Addr1 + 1],
                                    v[Addr1 + 2], v[Addr1 + 3], v[Addr1 + 4], v[Legal]});
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
        m_uncommitted = 0;
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
    std::optional<FolioIndex> m_index;
    std::optional<BatchInsert> m_insert;
    std::optional<RowUpdate> m_update;
    qint16 m_reports = 0;
    int m_uncommitted = 0;
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
