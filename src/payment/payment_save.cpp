#include "payment_save.h"

#include "common/error_trap.h"
#include "common/errors.h"
#include "common/file_backup.h"
#include "common/progress_count.h"
#include "common/session.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "detail_line.h"
#include "folio_mask.h"
#include "group_lines.h"
#include "mask_line.h"
#include "payment_format.h"
#include "store/data_environment.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <optional>

namespace zolt::payment {
namespace {

struct StoredPayment {
    DetailRow row;
    QString folioDisplay;
};

// The SQL a recordset source stands for: a bare table name reads the table.
QString sourceSql(const QString &source)
{
    if (source.trimmed().startsWith(QStringLiteral("SELECT"), Qt::CaseInsensitive))
        return source;
    return QStringLiteral("SELECT * FROM \"%1\"").arg(source.trimmed().remove(u'"'));
}

class Saver {
public:
    explicit Saver(Session &session) : m_s(session), m_de(session.de) {}

    SaveResult run(const QString &dataYear, const QString &path, const QString &backupPath);

private:
    void makeBackup(const QString &path, const QString &backupPath);
    QString yearToWrite(const QString &dataYear);
    void writeMasks(TextFileWriter &out);
    void cleanStoredText();
    void readDetails();
    void writeGroups(TextFileWriter &out);
    qint64 paymentsToWrite();
    void writeGroup(TextFileWriter &out, const Recordset &group);

    Session &m_s;
    DataEnvironment &m_de;
    QString m_step;
    FolioMaskTable m_masks;
    QString m_lastMaskSearch;  // jurisdiction of the last search in the masks
    QHash<QString, std::vector<StoredPayment>> m_payments;  // by upper-case agency, in source order
    double m_total = 0;
    bool m_storedCommas = false;  // a payment's text holds commas
    std::optional<ProgressCount> m_progress;  // payments written of those to write
};

SaveResult Saver::run(const QString &dataYear, const QString &path, const QString &backupPath)
{
    try {
        m_step = QStringLiteral("  1");
        const QString year = yearToWrite(dataYear);
        m_step = QStringLiteral("  2");
        makeBackup(path, backupPath);
        m_step = QStringLiteral("  3");
        TextFileWriter out(path, QStringLiteral("payment file"), m_s.ui.readOnlyTarget(path));
        m_step = QStringLiteral("  6");
        out.writeLine(YearLinePrefix + year);
        out.writeLine(QString());
        writeMasks(out);
        m_step = QStringLiteral("  7");
        readDetails();
        if (m_storedCommas)
            cleanStoredText();
        writeGroups(out);
        m_step = QStringLiteral("  8");
        m_progress->finish();
        out.commit();
        return {true, m_total};
    } catch (const WorkStopped &) {
        // The user stopped the program: the file stays as it was, the
        // unfinished one is dropped.
        return {false, 0, true};
    } catch (const std::exception &e) {
        m_s.ui.setBusy(false);
        m_s.ui.message(ProcedureTrapMessage(QStringLiteral("Mdb2Csv"), m_step, e), MessageIcon::Critical);
        return {false, 0};
    }
}

// The previous file is kept at the backup path before anything is written.
// A backup that cannot be made stops the save, and the previous backup stays.
void Saver::makeBackup(const QString &path, const QString &backupPath)
{
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(backupPath).absoluteFilePath())
        return;
    if (QFileInfo::exists(path)) {
        CopyFileToBackup(path, backupPath);
        return;
    }
    // Nothing to back up: a backup of that name belongs to another file.
    if (QFileInfo::exists(backupPath)) {
        QFile old(backupPath);
        if (!old.remove())
            throw ZoltError(ErrorNumber::PermissionDenied,
                            QStringLiteral("Cannot replace the backup %1: %2").arg(backupPath, old.errorString()));
    }
}

QString Saver::yearToWrite(const QString &dataYear)
{
    QString year = QString::number(CurrentYear());
    Recordset &masks = m_de.rsFol_Mask();
    masks.ensureOpen();
    if (masks.recordCount() > 0) {
        masks.moveFirst();
        if (IsAcceptedYear(masks.text(QStringLiteral("YEAR")), CurrentYear()))
            year = masks.text(QStringLiteral("YEAR"));
    }
    if (TrimBlanks(dataYear).size() == 4)
        year = TrimBlanks(dataYear);
    return year;
}

void Saver::writeMasks(TextFileWriter &out)
{
    Recordset &masks = m_de.rsFol_Mask();
    out.writeLine(MaskHeader);
    for (masks.moveFirst(); !masks.eof(); masks.moveNext())
        out.writeLine(MaskLineText(masks.text(QStringLiteral("JUR_CD")), masks.text(QStringLiteral("FOLIO_LEN")),
                                   masks.text(QStringLiteral("FOLIO_MASK"))));
    out.writeLine(QString());
    m_masks = FolioMaskTable(masks);
}

// Text that would split a detail line loses its commas, in the table too
// (the payments read have lost theirs already).
void Saver::cleanStoredText()
{
    m_step = QStringLiteral("  7-4");
    Database &db = m_de.Zolt().database();
    db.exec(QStringLiteral(
        "UPDATE Detail SET NUMBER = REPLACE(NUMBER, ',', ''), NAME = REPLACE(NAME, ',', ''), "
        "CD = REPLACE(CD, ',', ''), JUR = REPLACE(JUR, ',', ''), LEGAL = REPLACE(LEGAL, ',', '') "
        "WHERE instr(NUMBER, ',') OR instr(NAME, ',') OR instr(CD, ',') OR instr(JUR, ',') OR instr(LEGAL, ',')"));
    if (db.changes() > 0 && m_de.rsDetail().isOpen())
        m_de.rsDetail().requery();
}

// Every payment, read once in the details' current order and kept by agency.
void Saver::readDetails()
{
    Recordset &details = m_de.rsDetail();
    details.ensureOpen();
    Statement st = m_de.Zolt().database().prepare(sourceSql(details.source()));
    QHash<QString, int> byName;
    for (int c = 0; c < st.columnCount(); ++c)
        byName.insert(st.columnName(c).toUpper(), c);
    enum { Mortco, Number, Name, Cd, Jur, Folio, Payment, Abc, GrossTax, RegGrant, AddGrant, Delq, Legal, Count };
    static const char *const names[Count] = {"MORTCO", "NUMBER", "NAME", "CD", "JUR", "FOLIO", "PAYMENT", "ABC",
                                             "GROSS_TAX", "REG_GRANT", "ADD_GRANT", "DELQ", "LEGAL"};
    int column[Count];
    for (int i = 0; i < Count; ++i) {
        column[i] = byName.value(QLatin1String(names[i]), -1);
        if (column[i] < 0)
            throw ZoltError(ErrorNumber::FieldNotFound,
                            QStringLiteral("The details have no field %1.").arg(QLatin1String(names[i])));
    }
    auto text = [&](int i) {
        const Cell cell = st.cell(column[i]);
        if (cell.kind == Cell::Kind::Text)
            return QString::fromUtf8(cell.bytes);
        return cell.kind == Cell::Kind::Null ? QString() : st.column(column[i]).toString();
    };
    auto number = [&](int i) {
        const Cell cell = st.cell(column[i]);
        return cell.kind == Cell::Kind::Real ? cell.real : st.column(column[i]).toDouble();
    };
    // Text that would split a detail line loses its commas.
    auto cleanText = [&](int i) {
        QString value = text(i);
        if (value.contains(u',')) {
            value.remove(u',');
            m_storedCommas = true;
        }
        return value;
    };
    QString agency;
    std::vector<StoredPayment> *payments = nullptr;  // of the agency, while no other one is added
    // Reading every payment takes a while: the window paints meanwhile.
    for (qint64 read = 1; st.step(); ++read) {
        if (read % ProgressCount::Interval == 0)
            m_s.ui.letEventsRun();
        StoredPayment p;
        p.row = DetailRow{cleanText(Number), cleanText(Name), cleanText(Cd), cleanText(Jur), text(Folio),
                          number(Payment), text(Abc), number(GrossTax), number(RegGrant), number(AddGrant),
                          number(Delq), cleanText(Legal)};
        p.folioDisplay = m_masks.display(p.row.jur, p.row.folio, &m_lastMaskSearch);
        const QString mortco = text(Mortco);
        if (!payments || mortco != agency) {
            agency = mortco;
            payments = &m_payments[mortco.toUpper()];
        }
        payments->push_back(std::move(p));
    }
}

void Saver::writeGroups(TextFileWriter &out)
{
    Recordset &groups = m_de.rsGroup();
    groups.ensureOpen();
    m_progress.emplace(m_s.ui, QStringLiteral("Saving the Zolt data"), paymentsToWrite());
    QString lastAgency;
    for (groups.moveFirst(); !groups.eof(); groups.moveNext()) {
        writeGroup(out, groups);
        lastAgency = groups.text(QStringLiteral("MORTCO"));
    }
    // The details end filtered to the last agency written, as a save that
    // filtered them agency by agency leaves them.
    if (!lastAgency.isNull()) {
        m_s.shared.gFilter = AgencyFilter(lastAgency);
        m_de.rsDetail().setFilter(m_s.shared.gFilter);
    }
    if (!m_lastMaskSearch.isEmpty())
        m_s.shared.gFindCriteria = JurisdictionCriteria(m_lastMaskSearch);
}

// Each agency's payments are written under every group row of the agency.
qint64 Saver::paymentsToWrite()
{
    Recordset &groups = m_de.rsGroup();
    qint64 count = 0;
    for (groups.moveFirst(); !groups.eof(); groups.moveNext()) {
        const auto payments = m_payments.constFind(groups.text(QStringLiteral("MORTCO")).toUpper());
        if (payments != m_payments.cend())
            count += qint64(payments->size());
    }
    return count;
}

void Saver::writeGroup(TextFileWriter &out, const Recordset &group)
{
    m_step = QStringLiteral("  7-1");
    const QString mortco = group.text(QStringLiteral("MORTCO"));
    const std::vector<StoredPayment> &payments = m_payments[mortco.toUpper()];
    double sum = 0;
    for (const StoredPayment &p : payments)
        sum += p.row.payment;
    m_step = QStringLiteral("  7-2");
    const QStringList block =
        GroupBlockLines([&group](const QString &field) { return group.text(field); }, qint64(payments.size()), sum);
    for (const QString &line : block)
        out.writeLine(line);
    m_step = QStringLiteral("  7-3");
    out.writeLine(QString());
    out.writeLine(DetailHeader);
    out.writeLine(ColumnHeading);
    m_step = QStringLiteral("  7-4");
    for (const StoredPayment &p : payments) {
        out.writeLine(DetailLineText(p.row, p.folioDisplay));
        m_total += p.row.payment;
        m_progress->step();
    }
    m_step = QStringLiteral("  7-5");
    out.writeLine(QString());
    out.writeLine(QString());
}

}  // namespace

SaveResult Mdb2Csv(Session &session, const QString &dataYear, const QString &path, const QString &backupPath)
{
    return Saver(session).run(dataYear, path, backupPath);
}

}  // namespace zolt::payment
