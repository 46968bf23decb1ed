#include "payment_load.h"

#include "common/clock.h"
#include "common/error_trap.h"
#include "common/plain_cause.h"
#include "common/errors.h"
#include "common/progress_count.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "common/work_aside.h"
#include "agency_total.h"
#include "folio_mask.h"
#include "group_lines.h"
#include "payment_file_parser.h"
#include "payment_format.h"
#include "payment_record.h"
#include "store/batch_insert.h"
#include "store/data_environment.h"
#include "store/schema_upgrade.h"
#include "store/sqlite_db.h"
#include "store/zolt_system.h"

#include <QHash>
#include <optional>

namespace zolt::payment {
namespace {

// Payments go to the database this many to a statement.
constexpr int DetailRowsPerStatement = 32;
// The page cache while the payments are stored.
constexpr int LoadPageCacheMebibytes = 2;

QString duplicateHint(const QString &folioDisplay, const QString &name)
{
    return QStringLiteral(" FOLIO # = ") + folioDisplay + QStringLiteral(" & NAME = '") + TrimBlanks(name)
           + QStringLiteral("' Check for DUPLICATE PAYMENTS. Payments must be unique by Name, Collection "
                            "District, Jurisdiction, and Folio Number. Easiest thing is to make the second "
                            "payments NAME different. ");
}

struct GroupRow {
    QHash<QString, QString> fields;
    AgencyTotal total;
    QString mortco() const { return fields.value(QStringLiteral("MORTCO")); }
};

// The trace step of the stage that reads a line of a section.
QString stepOfSection(FileSection section)
{
    switch (section) {
    case FileSection::Mask: return QStringLiteral("  8-1");
    case FileSection::Group: return QStringLiteral("  9");
    case FileSection::Detail: return QStringLiteral("  9- 1");
    case FileSection::None:
    case FileSection::Year: break;
    }
    return QStringLiteral("  2");
}

using Outcome = PaymentLoadResult::Outcome;

class Loader {
public:
    Loader(Session &session, EmptyFile emptyFile) : m_s(session), m_de(session.de), m_emptyFile(emptyFile) {}

    PaymentLoadResult run(const QString &path);

private:
    Outcome load(PaymentFileParser &file);
    // What the file gave, once read: anything but Loaded is rolled back.
    Outcome judge(const PaymentFileParser &file) const;
    void emptyTables();
    void emptyTable(Recordset &rs, const QString &table, const QString &stepDelete, bool reopen);
    void apply(PaymentItem &item);
    void finishTables();
    void restoreRecordsets();
    void addMask(const MaskLine &mask);
    void addDetail(const DetailItem &detail);
    void storeDetail(const QString &mortco, const DetailRow &row, const QString &display);
    void flushDetails();
    // A payment the database refuses is named in the error message.
    void nameRefusedPayment(const RowRefused &refused);
    void addDuplicate(const DetailRow &row, const QString &mortco, const QString &folioDisplay);
    void closeGroup();
    void storeGroups();

    Session &m_s;
    DataEnvironment &m_de;
    EmptyFile m_emptyFile;
    PaymentLoadResult m_result;
    QString m_step;
    QString m_workingYear;
    std::optional<BatchInsert> m_insertDetail;
    std::optional<BatchInsert> m_insertMask;
    FolioMaskTable m_masks;
    std::vector<GroupRow> m_groups;
    QString m_mortco;                      // of the current group
    QHash<QString, AgencyTotal> m_totals;  // by upper-case agency
    AgencyTotal *m_total = nullptr;        // the current group's, while no other agency is added
    struct QueuedPayment {
        QString folioDisplay;
        QString name;
    };
    std::vector<QueuedPayment> m_queuedDetails;  // the payments queued in m_insertDetail
    QString m_detailFilter;  // the details' filter before the load
    bool m_started = false;  // the tables have been touched
};

PaymentLoadResult Loader::run(const QString &path)
{
    m_step = QStringLiteral("  1");
    m_workingYear = QString::number(CurrentYear());
    m_s.ui.letEventsRun();
    if (!FileExists(path))
        return m_result;
    try {
        m_step = QStringLiteral("  1-19");
        // The file is read whole and looked over on a thread of its own
        // while the window paints.
        std::optional<PaymentFileParser> file;
        WorkAside([&file, &path] { file.emplace(path, CurrentYear()); }, [this] { m_s.ui.letEventsRun(); });
        m_result.fileYear = file->firstLineYear();
        // A refused year stops the load before the tables are touched.
        m_result.outcome = file->yearRefused() ? Outcome::YearRefused : load(*file);
        if (m_result.outcome != Outcome::Loaded && m_started)
            restoreRecordsets();
    } catch (const WorkStopped &) {
        // The user closed the program: nothing of the file is kept.
        restoreRecordsets();
        m_result.outcome = Outcome::Failed;
    } catch (const std::exception &e) {
        if (const auto *lineError = dynamic_cast<const PaymentLineError *>(&e))
            m_step = stepOfSection(lineError->section());
        if (m_started)
            restoreRecordsets();
        m_s.ui.setBusy(false);
        m_s.ui.message(WithPlainCause(e, path, ProcedureTrapMessage(QStringLiteral("Csv2Mdb"), m_step, e)),
                       MessageIcon::Critical);
        m_result.outcome = Outcome::Failed;
    }
    return m_result;
}

// The whole load is one transaction: a file that turns out to be unreadable
// halfway, or that brings no year, leaves the tables as they were.
Outcome Loader::load(PaymentFileParser &file)
{
    if (m_de.rsDetail().isOpen())
        m_detailFilter = m_de.rsDetail().filter();
    m_started = true;
    Transaction transaction(m_de.Zolt());
    emptyTables();
    m_step = QStringLiteral("  1-19");
    if (!file.firstLineYear().isEmpty()) {
        m_workingYear = file.firstLineYear();
        ZoltSystem(m_de).setDataYear(file.firstLineYear());
    }
    Database &db = m_de.Zolt().database();
    // The emptied Detail gets its indexes anew. They are kept up to date row
    // by row: the rows of a file come agency by agency, so each goes near
    // the one before, which costs less than building the index after the
    // last row.
    RemakeIndexes(db, QStringLiteral("Detail"));
    // A small page cache lets the pages already filled go to the log as the
    // load goes, on memory it reuses, rather than all of them at the commit.
    const PageCacheSize cache(db, LoadPageCacheMebibytes);
    m_insertDetail.emplace(db, QStringLiteral("Detail"), PaymentFieldNames(), DetailRowsPerStatement);
    m_insertMask.emplace(db, QStringLiteral("Fol_Mask"),
                         QStringList{QStringLiteral("YEAR"), QStringLiteral("JUR_CD"), QStringLiteral("FOLIO_LEN"),
                                     QStringLiteral("FOLIO_MASK")});
    // The first line was read when the file was opened.
    ProgressCount progress(m_s.ui, QStringLiteral("Setting up Zolt data: lines read"), file.lineCount() - 1);
    file.readItems([this](PaymentItem &&item) { apply(item); }, [&progress] { progress.step(); });
    progress.finish();
    m_result.groups = qint64(m_groups.size());
    m_result.payments = file.uniquePayments();
    const Outcome outcome = judge(file);
    if (outcome != Outcome::Loaded)
        return outcome;
    finishTables();
    m_s.ui.letEventsRun();
    transaction.commit();
    m_s.ui.letEventsRun();
    return outcome;
}

Outcome Loader::judge(const PaymentFileParser &file) const
{
    if (file.firstLineYear().isEmpty())
        return Outcome::NoYear;
    if (m_emptyFile == EmptyFile::Refuse && m_result.groups == 0 && m_result.payments == 0)
        return Outcome::NoPayments;
    return Outcome::Loaded;
}

// After a failed load the open recordsets show the rows the database kept.
void Loader::restoreRecordsets()
{
    m_insertDetail.reset();
    m_insertMask.reset();
    for (Recordset *rs : {&m_de.rsDetail(), &m_de.rsGroup(), &m_de.rsFol_Mask(), &m_de.rsZoltSystem()}) {
        try {
            if (rs->isOpen())
                rs->requery();
            if (rs == &m_de.rsDetail() && rs->isOpen())
                rs->setFilter(m_detailFilter);
        } catch (const ZoltError &e) {
            qWarning("%s could not be read again: %s", qUtf8Printable(rs->name()), qUtf8Printable(e.description()));
        }
    }
}

// Empties a table and the recordset over it. A closed details recordset is
// not opened just to be emptied: the load opens it at the end. Whether the
// table holds rows is asked of the database, not by reading them all.
void Loader::emptyTable(Recordset &rs, const QString &table, const QString &stepDelete, bool reopen)
{
    if (reopen && rs.isOpen())
        rs.close();
    if (reopen || rs.isOpen()) {
        rs.ensureOpen();
        rs.clearFilter();
    }
    if (!m_de.Zolt().tableHasRows(table))
        return;
    m_step = stepDelete;
    Transaction transaction(m_de.Zolt());
    m_de.Zolt().emptyTableToRefill(table);
    transaction.commit();
    if (rs.isOpen())
        rs.requery();
    m_s.ui.letEventsRun();
}

void Loader::emptyTables()
{
    m_step = QStringLiteral("  1-1");
    emptyTable(m_de.rsDetail(), QStringLiteral("Detail"), QStringLiteral("  1-6"), false);
    m_step = QStringLiteral("  1-12");
    emptyTable(m_de.rsGroup(), QStringLiteral("Group"), QStringLiteral("  1-14"), true);
    m_step = QStringLiteral("  1-15");
    emptyTable(m_de.rsFol_Mask(), QStringLiteral("Fol_Mask"), QStringLiteral("  1-17"), true);
}

void Loader::apply(PaymentItem &item)
{
    m_step = QStringLiteral("  2");
    if (const auto *year = std::get_if<YearItem>(&item)) {
        m_step = QStringLiteral("  3");
        m_workingYear = year->year;
    } else if (const auto *mask = std::get_if<MaskLine>(&item)) {
        m_step = QStringLiteral("  8-1");
        addMask(*mask);
    } else if (std::holds_alternative<GroupStartItem>(item)) {
        if (!m_groups.empty())
            closeGroup();
        m_groups.emplace_back();
        m_mortco.clear();
        m_total = nullptr;
    } else if (auto *value = std::get_if<GroupValueItem>(&item)) {
        m_step = QStringLiteral("  9");
        for (LooseValue &loose : value->looseValues)
            m_result.looseValues.add(std::move(loose));
        const QString &field = GroupLabels()[size_t(value->label)].field;
        m_groups.back().fields.insert(field, value->value);
        if (field == QLatin1String("MORTCO")) {
            m_mortco = value->value;
            m_total = nullptr;
        }
    } else {
        m_step = QStringLiteral("  9- 1");
        auto &detail = std::get<DetailItem>(item);
        for (LooseValue &loose : detail.looseValues)
            m_result.looseValues.add(std::move(loose));
        addDetail(detail);
    }
}

void Loader::finishTables()
{
    m_step = QStringLiteral("  11");
    if (m_masks.isEmpty())
        addMask(MaskLine{PlaceholderJurisdiction, 0, PlaceholderMask});
    flushDetails();
    if (!m_groups.empty())
        closeGroup();
    storeGroups();
    m_insertDetail.reset();
    m_insertMask.reset();
}

void Loader::addMask(const MaskLine &mask)
{
    if (!m_masks.add(mask.jurCd, mask.mask, mask.folioLength))
        return;  // a second line for a jurisdiction is ignored
    m_insertMask->text(m_workingYear).text(mask.jurCd).integer(mask.folioLength).text(mask.mask).addRow();
}

void Loader::addDetail(const DetailItem &detail)
{
    const DetailRow &row = detail.row;
    const QString &mortco = m_mortco;
    m_step = QStringLiteral("  9-11 #1");
    if (detail.repeatsKey) {
        m_step = QStringLiteral("  9-11 #2");
        addDuplicate(row, mortco, detail.folioDisplay);
        return;
    }
    storeDetail(mortco, row, detail.folioDisplay);
    m_step = QStringLiteral("  9-14");
    if (!m_total)
        m_total = &m_totals[mortco.toUpper()];
    m_total->add(row.payment);
}

void Loader::storeDetail(const QString &mortco, const DetailRow &row, const QString &display)
{
    m_queuedDetails.push_back({display, row.name});
    try {
        ForEachPaymentField(PaymentRecord{mortco, row, display}, [this](const char *, const auto &value) {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, double>)
                m_insertDetail->real(value);
            else
                m_insertDetail->text(value);
        });
        m_insertDetail->addRow();
    } catch (const RowRefused &e) {
        nameRefusedPayment(e);
        throw;
    } catch (const ZoltError &) {
        m_step = QStringLiteral("  9-14");  // no refusal of the payment: the description says what failed
        throw;
    }
    if (m_insertDetail->queued() == 0)
        m_queuedDetails.clear();
}

void Loader::flushDetails()
{
    try {
        m_insertDetail->flush();
    } catch (const RowRefused &e) {
        nameRefusedPayment(e);
        throw;
    } catch (const ZoltError &) {
        m_step = QStringLiteral("  9-14");
        throw;
    }
    m_queuedDetails.clear();
}

void Loader::nameRefusedPayment(const RowRefused &refused)
{
    const QueuedPayment &payment = m_queuedDetails[size_t(refused.queuedIndex())];
    // The duplicates hint is for the payment key's index alone; any other
    // failure (a full disk, another rule of the database) is said by its
    // description, naming the payment when a rule refused it.
    if (RefusedByUniqueIndex(m_de.Zolt().database(), refused, QStringLiteral("Detail_Payment")))
        m_step = duplicateHint(payment.folioDisplay, payment.name);
    else if (IsRowRefusal(refused))
        m_step = QStringLiteral("  9-14 FOLIO # = ") + payment.folioDisplay + QStringLiteral(" & NAME = '")
            + TrimBlanks(payment.name) + u'\'';
    else
        m_step = QStringLiteral("  9-14");
}

void Loader::addDuplicate(const DetailRow &row, const QString &mortco, const QString &folioDisplay)
{
    DuplicateFolioStore &store = m_result.duplicates;
    store.found = true;
    if (store.rows.size() < size_t(DuplicateFolioStore::MaxRows)) {
        m_step = QStringLiteral("  9-11 #3");
        store.rows.push_back(PaymentRecord{mortco, row, folioDisplay});
    }
    ++store.count;
    m_step = QStringLiteral("  9-17");
}

// A group's count and total are those of its agency's payments stored so far.
void Loader::closeGroup()
{
    GroupRow &group = m_groups.back();
    group.total = m_totals.value(group.mortco().toUpper());
}

void Loader::storeGroups()
{
    QStringList columns;
    for (const GroupLabel &label : GroupLabels())
        columns << label.field;
    columns << QStringLiteral("FILE_ID") << QStringLiteral("CREATE") << QStringLiteral("FOLIO_CNT")
            << QStringLiteral("TOT_PAY") << QStringLiteral("SORTORDER") << QStringLiteral("ACD");
    BatchInsert insert(m_de.Zolt().database(), QStringLiteral("Group"), columns);
    const QString empty = QStringLiteral("");
    const QString sortOrder = QStringLiteral("F");
    for (size_t i = 0; i < m_groups.size(); ++i) {
        const GroupRow &group = m_groups[i];
        QStringList texts;
        for (const GroupLabel &label : GroupLabels())
            texts << group.fields.value(label.field, empty);
        for (const QString &text : std::as_const(texts))
            insert.text(text);
        const QString fileId = QString::number(i + 1).rightJustified(3, u'0').right(3);
        insert.text(fileId).text(empty).integer(group.total.count).real(group.total.sum).text(sortOrder)
            .text(empty).addRow();
    }
}

}  // namespace

PaymentLoadResult Csv2Mdb(Session &session, const QString &path, EmptyFile emptyFile)
{
    const PaymentLoadResult result = Loader(session, emptyFile).run(path);
    ShowPaymentLoad(session, result);
    return result;
}

void ShowPaymentLoad(Session &session, const PaymentLoadResult &result)
{
    if (!result.loaded())
        return;
    DataEnvironment &de = session.de;
    de.rsFol_Mask().requery();
    de.rsGroup().requery();
    de.rsGroup().moveFirst();
    Recordset &detail = de.rsDetail();
    if (detail.isOpen())
        detail.close();
    detail.open();
}

}  // namespace zolt::payment
