#include "payment_save.h"

#include "common/clock.h"
#include "common/csv_line.h"
#include "common/error_trap.h"
#include "common/plain_cause.h"
#include "common/errors.h"
#include "common/file_backup.h"
#include "common/progress_count.h"
#include "common/session.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "agency_total.h"
#include "detail_line.h"
#include "detail_line_encoder.h"
#include "folio_mask.h"
#include "group_lines.h"
#include "mask_line.h"
#include "payment_format.h"
#include "stored_details.h"
#include "store/data_environment.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <optional>

namespace zolt::payment {
namespace {

// The texts a save writes without their commas, and keeps so.
const char *const CommaFreeFields[] = {"NUMBER", "NAME", "CD", "JUR", "LEGAL"};

// An agency's payments, read in source order: their detail lines, made
// once, and their count and total.
struct AgencyPayments {
    QByteArray lines;             // encoded, each ended by CR LF
    AgencyTotal total;
    // The first line the file cannot carry, and where it goes among the
    // lines: writing it fails the save, naming it.
    struct Unencodable {
        qsizetype offset = 0;
        qint64 linesBefore = 0;
        QString line;
    };
    std::optional<Unencodable> unencodable;
};

class Saver {
public:
    explicit Saver(Session &session) : m_s(session), m_de(session.de) {}

    SaveResult run(const QString &dataYear, const QString &path, const QString &backupPath);

private:
    SaveBackup makeBackup(const QString &path, const QString &backupPath);
    QString yearToWrite(const QString &dataYear);
    void readMasks();
    void startReadingDetails();
    void writeMasks(TextFileWriter &out);
    void cleanStoredText();
    void readDetails();
    void addPayment(AgencyPayments &payments, const StoredRow &row);
    void writeGroups(TextFileWriter &out);
    qint64 paymentsToWrite();
    void writeGroup(TextFileWriter &out, const Recordset &group);

    Session &m_s;
    DataEnvironment &m_de;
    QString m_step;
    FolioMaskTable m_masks;
    QStringList m_maskLines;
    std::optional<DetailLineEncoder> m_encoder;
    std::optional<StoredDetails> m_reading;  // the connection is the reading's while it runs
    QHash<QString, AgencyPayments> m_payments;  // by upper-case agency
    double m_total = 0;
    bool m_storedCommas = false;  // a payment's text holds commas
    std::optional<ProgressCount> m_progress;  // payments written of those to write
};

SaveResult Saver::run(const QString &dataYear, const QString &path, const QString &backupPath)
{
    try {
        m_step = QStringLiteral("  1");
        const QString year = yearToWrite(dataYear);
        readMasks();
        startReadingDetails();
        m_step = QStringLiteral("  2");
        // A save that fails from here on leaves the backup as it was.
        SaveBackup backup = makeBackup(path, backupPath);
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
        backup.keep();
        return {true, m_total};
    } catch (const WorkStopped &) {
        // The user stopped the program: the file stays as it was, the
        // unfinished one is dropped.
        m_reading.reset();
        return {false, 0, true};
    } catch (const std::exception &e) {
        m_reading.reset();
        m_s.ui.setBusy(false);
        m_s.ui.message(WithPlainCause(e, path, ProcedureTrapMessage(QStringLiteral("Mdb2Csv"), m_step, e)),
                       MessageIcon::Critical);
        return {false, 0};
    }
}

// The previous file is kept at the backup path before anything is written.
// A backup that cannot be made stops the save, and the previous backup stays.
SaveBackup Saver::makeBackup(const QString &path, const QString &backupPath)
{
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(backupPath).absoluteFilePath())
        return {};
    if (QFileInfo::exists(path))
        return SaveBackup(path, backupPath);
    // Nothing to back up: a backup of that name belongs to another file.
    if (QFileInfo::exists(backupPath))
        return SaveBackup::Cleared(backupPath);
    return {};
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

void Saver::readMasks()
{
    Recordset &masks = m_de.rsFol_Mask();
    for (masks.moveFirst(); !masks.eof(); masks.moveNext())
        m_maskLines << MaskLineText(masks.text(QStringLiteral("JUR_CD")), masks.text(QStringLiteral("FOLIO_LEN")),
                                    masks.text(QStringLiteral("FOLIO_MASK")));
    m_masks = FolioMaskTable(masks);
    m_encoder.emplace(m_masks);
}

// The payments are read while the backup is made and the file begun.
void Saver::startReadingDetails()
{
    const QString step = std::exchange(m_step, QStringLiteral("  7"));
    Recordset &details = m_de.rsDetail();
    details.ensureOpen();
    m_reading.emplace(m_de.Zolt().database(), details.source());
    m_step = step;
}

void Saver::writeMasks(TextFileWriter &out)
{
    out.writeLine(MaskHeader);
    for (const QString &line : std::as_const(m_maskLines))
        out.writeLine(line);
    out.writeLine(QString());
}

// Text that would split a detail line loses its commas, in the table too
// (the payments read have lost theirs already).
void Saver::cleanStoredText()
{
    m_step = QStringLiteral("  7-4");
    Recordset &details = m_de.rsDetail();
    details.ensureOpen();
    const std::unique_ptr<Recordset> all = details.clone();
    for (qint64 row = 0; row < all->recordCount(); ++row) {
        bool changed = false;
        for (const char *name : CommaFreeFields) {
            const QVariant value = all->value(row, all->columnIndex(QLatin1String(name)));
            if (value.typeId() != QMetaType::QString || !HasComma(value.toString()))
                continue;
            if (!changed)
                all->setCurrentRow(row);
            all->setField(QLatin1String(name), CommaFree(value.toString()));
            changed = true;
        }
        if (changed)
            all->update();
    }
}

// Every payment, read once in the details' current order and kept by agency
// as the lines to write.
void Saver::readDetails()
{
    RowsAhead &rows = m_reading->rows();
    QString agency;
    std::optional<QByteArray> agencyText;  // the agency's stored text, when it is one
    AgencyPayments *payments = nullptr;    // of the agency, while no other one is added
    qint64 read = 0;
    while (const RowsAhead::Batch *batch = rows.next()) {
        for (qsizetype r = 0; r < batch->rows(); ++r) {
            const StoredRow row(batch->row(r));
            const Cell &mortco = row.cell(DetailField::Mortco);
            const bool sameText = agencyText && mortco.kind == Cell::Kind::Text && mortco.bytes == *agencyText;
            if (!payments || !sameText) {
                const QString name = row.text(DetailField::Mortco);
                if (!payments || name != agency) {
                    agency = name;
                    payments = &m_payments[name.toUpper()];
                }
                agencyText.reset();
                if (mortco.kind == Cell::Kind::Text)
                    agencyText = mortco.bytes.toByteArray();
            }
            addPayment(*payments, row);
        }
        // Reading every payment takes a while: the window paints meanwhile.
        const qint64 before = read;
        read += batch->rows();
        if (read / ProgressCount::Interval != before / ProgressCount::Interval)
            rows.whileReadingPaused([this] { m_s.ui.letEventsRun(); });
    }
    m_reading.reset();
}

void Saver::addPayment(AgencyPayments &payments, const StoredRow &row)
{
    using namespace DetailField;
    const double amount = row.number(Payment);
    payments.total.add(amount);
    StoredDetailBytes plain;
    if (row.textBytes(plain)) {
        plain.payment = amount;
        plain.grossTax = row.number(GrossTax);
        plain.regGrant = row.number(RegGrant);
        plain.addGrant = row.number(AddGrant);
        plain.delq = row.number(Delq);
        if (m_encoder->appendPlain(plain, payments.lines))
            return;
    }
    // Text that would split a detail line loses its commas.
    auto cleanText = [&](int field) {
        const QString value = row.text(field);
        if (!HasComma(value))
            return value;
        m_storedCommas = true;
        return CommaFree(value);
    };
    const DetailRow detail{cleanText(Number), cleanText(Name), cleanText(Cd), cleanText(Jur),
                           row.text(Folio), amount, row.text(Abc), row.number(GrossTax),
                           row.number(RegGrant), row.number(AddGrant), row.number(Delq), cleanText(Legal)};
    const qsizetype offset = payments.lines.size();
    if (std::optional<QString> line = m_encoder->append(detail, payments.lines); line && !payments.unencodable)
        payments.unencodable = AgencyPayments::Unencodable{offset, payments.total.count - 1, *line};
}

void Saver::writeGroups(TextFileWriter &out)
{
    Recordset &groups = m_de.rsGroup();
    groups.ensureOpen();
    m_progress.emplace(m_s.ui, QStringLiteral("Saving the Zolt data"), paymentsToWrite());
    for (groups.moveFirst(); !groups.eof(); groups.moveNext())
        writeGroup(out, groups);
}

// Each agency's payments are written under every group row of the agency.
qint64 Saver::paymentsToWrite()
{
    Recordset &groups = m_de.rsGroup();
    qint64 count = 0;
    for (groups.moveFirst(); !groups.eof(); groups.moveNext()) {
        const auto payments = m_payments.constFind(groups.text(QStringLiteral("MORTCO")).toUpper());
        if (payments != m_payments.cend())
            count += payments->total.count;
    }
    return count;
}

void Saver::writeGroup(TextFileWriter &out, const Recordset &group)
{
    m_step = QStringLiteral("  7-1");
    const QString mortco = group.text(QStringLiteral("MORTCO"));
    const AgencyPayments &payments = m_payments[mortco.toUpper()];
    const qint64 count = payments.total.count;
    m_step = QStringLiteral("  7-2");
    const QStringList block =
        GroupBlockLines([&group](const QString &field) { return group.text(field); }, count, payments.total.sum);
    for (const QString &line : block)
        out.writeLine(line);
    m_step = QStringLiteral("  7-3");
    out.writeLine(QString());
    out.writeLine(DetailHeader);
    out.writeLine(ColumnHeading);
    m_step = QStringLiteral("  7-4");
    const QByteArrayView lines(payments.lines);
    if (const auto &bad = payments.unencodable) {
        out.writeEncodedLines(lines.first(bad->offset), bad->linesBefore);
        out.writeLine(bad->line);  // refused, naming the line
        out.writeEncodedLines(lines.sliced(bad->offset), count - bad->linesBefore - 1);
    } else {
        out.writeEncodedLines(lines, count);
    }
    m_total += payments.total.sum;
    m_progress->step(count);
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
