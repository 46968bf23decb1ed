#include "verify_load_mortgage.h"

#include "common/progress_count.h"
#include "common/text_utils.h"
#include "common/workbook/sheet_rows.h"
#include "store/data_environment.h"
#include "verify_layout.h"

namespace zolt::verify {
namespace {

constexpr int MessageBoxLimit = 3;  // not-loaded rows beyond this go to the list only
constexpr int RowsPerStatement = 32;

QStringList fieldNames()
{
    QStringList fields;
    for (const Column &c : MortgageSheet().columns)
        fields << c.field;
    return fields;
}

// Copies into to's own buffer: a row's texts are copied, not allocated.
void assign(QString &to, QStringView from)
{
    to.setUnicode(from.data(), from.size());
}

// The first n characters of text padded with blanks to n, into to.
void assignPadCut(QString &to, QStringView text, int n)
{
    to.resize(0);
    AppendPadCut(text, n, to);
}

// "A", "C", "D" or a blank.
bool isValidAcd(const QString &acd)
{
    return acd.size() == 1 && (acd[0] == u'A' || acd[0] == u'C' || acd[0] == u'D' || acd[0] == u' ');
}

template <typename Cells>
bool allEmpty(const Cells &trimmed, std::initializer_list<int> columns)
{
    for (int c : columns) {
        if (!trimmed[size_t(c)].isEmpty())
            return false;
    }
    return true;
}

}  // namespace

MortgageRows::MortgageRows(LoadContext &context)
    : m_context(context), m_insert(context.session.de.Zolt().database(), MortgageSheet().table, fieldNames(), RowsPerStatement),
      m_queued(RowsPerStatement)
{
}

void MortgageRows::read(SheetRows &sheet, const QString &sheetName)
{
    m_sheet = &sheet;
    const int announced = sheet.announcedRows();
    m_folios.reserve(announced);
    m_pids.reserve(announced);
    ProgressCount progress(m_context.session.ui, QStringLiteral("Reading the verification workbook"), announced);
    for (m_row = 1; !m_ended; ++m_row) {
        handleRow();
        if (m_row <= announced || m_listed)
            progress.step();
    }
    flushRows();
    // Rows holding data below the end are not read, but the user hears of them.
    CountRowsLeft(MortgageSheet(), sheet, m_end);
    if (m_end.rowsLeft > 0) {
        m_context.counts.rowsNotRead += m_end.rowsLeft;
        m_context.deliver(LoadMessage::RowsNotRead(sheetName, MortgageSheet().position, m_end));
    }
    sheet.finish();
    progress.finish();
}

void MortgageRows::queueRow()
{
    try {
        m_insert.addRow();
    } catch (const RowRefused &e) {
        refused(e);
    }
    if (m_insert.queued() == 0) {
        m_context.counts.loaded += m_queuedCount;
        m_queuedCount = 0;
    }
}

void MortgageRows::flushRows()
{
    try {
        m_insert.flush();
    } catch (const RowRefused &e) {
        refused(e);
    }
    m_context.counts.loaded += m_queuedCount;
    m_queuedCount = 0;
}

void MortgageRows::refused(const RowRefused &e)
{
    // The rows queued before the refused one are stored; the trace names
    // the refused row.
    m_context.counts.loaded += e.queuedIndex();
    m_context.row = m_queued[size_t(e.queuedIndex())];
    m_queuedCount = 0;
    m_context.trace.setSavingRow();
    throw ZoltError(e.number(), e.description());
}

void MortgageRows::readCells()
{
    m_listed = m_sheet->moveTo(m_row);
    MortgageCells &cells = m_context.row;
    for (int c = 0; c < MortgageColumnCount; ++c)
        assign(cells[size_t(c)], m_sheet->cell(c + 1));
}

void MortgageRows::handleRow()
{
    m_context.trace.set(QStringLiteral("100"));
    readCells();
    const MortgageCells &cells = m_context.row;
    if (IsHeaderRow(MortgageSheet(), cells)) {
        m_ended = m_end.mark(m_row, false);
        return;
    }
    m_context.trace.set(QStringLiteral("101"));
    TrimmedCells trimmed;
    for (int c = 0; c < MortgageColumnCount; ++c)
        trimmed[size_t(c)] = BlankTrimmed(cells[size_t(c)]);
    if (std::all_of(trimmed.begin(), trimmed.end(), [](QStringView s) { return s.isEmpty(); })) {
        m_ended = m_end.mark(m_row, true);
        return;
    }
    if (allEmpty(trimmed, {ColCd, ColJur, ColFolio, ColPid})) {
        reject(cells);
        return;
    }
    const bool pidOnly = !trimmed[ColMortco].isEmpty() && trimmed[ColJur].isEmpty()
        && trimmed[ColFolio].isEmpty() && !trimmed[ColPid].isEmpty();
    if (isDuplicate(cells, trimmed, pidOnly))
        reportDuplicate(cells, pidOnly);
    else
        store(cells, trimmed, pidOnly);
}

bool MortgageRows::isDuplicate(const MortgageCells &cells, const TrimmedCells &trimmed, bool pidOnly)
{
    m_context.trace.set(QStringLiteral("102"));
    assignPadCut(m_company, cells[ColMortco], 4);
    m_context.trace.set(QStringLiteral("103"));
    if (pidOnly)
        return m_pids.contains({m_company, trimmed[ColPid]});
    assignPadCut(m_jurisdiction, cells[ColJur], 3);
    return m_folios.contains({m_company, m_jurisdiction, trimmed[ColFolio]});
}

void MortgageRows::reportDuplicate(const MortgageCells &cells, bool pidOnly)
{
    m_context.trace.set(QStringLiteral("106"));
    VerifyLoadResult &counts = m_context.counts;
    ++counts.notLoaded;
    m_context.trace.set(pidOnly ? QStringLiteral("108") : QStringLiteral("108b"));
    flushRows();
    const QString text = pidOnly ? LoadMessage::DuplicatePid(cells) : LoadMessage::DuplicateFolio(cells);
    m_context.trace.set(pidOnly ? QStringLiteral("109") : QStringLiteral("109b"));
    if (m_context.reportToList())
        m_context.listLine(text);
    else if (counts.notLoaded < MessageBoxLimit)
        m_context.session.ui.message(text, MessageIcon::Information);
    m_context.trace.set(QStringLiteral("111b"));
}

void MortgageRows::reject(const MortgageCells &cells)
{
    flushRows();
    const QString text = LoadMessage::Rejected(cells);
    VerifyLoadResult &counts = m_context.counts;
    if (m_context.reportToList())
        m_context.listLine(text);
    else if (counts.notLoaded < MessageBoxLimit)
        m_context.session.ui.message(text, MessageIcon::Information);
    ++counts.notLoaded;
}

void MortgageRows::warn(const QString &text)
{
    if (m_context.counts.formatWarnings >= 3)
        return;
    flushRows();
    m_context.deliver(text);
    ++m_context.counts.formatWarnings;
}

void MortgageRows::noteCut(const Column &column, QStringView cell)
{
    const bool cuts = column.load == LoadRule::Pad || column.load == LoadRule::PadUpper
                      || column.load == LoadRule::PadTrim;
    if (!cuts || cell.size() <= column.size || BlankTrimmed(cell.sliced(column.size)).isEmpty())
        return;
    LooseValue cut = CutText(column.header, cell, column.size);
    cut.line = m_row;
    m_context.counts.cutValues.add(std::move(cut));
}

void MortgageRows::setStoredValues(const MortgageCells &cells, const TrimmedCells &trimmed, bool pidOnly)
{
    static const QString steps[MortgageColumnCount] = {
        QStringLiteral("114 "), QStringLiteral("115 "), QStringLiteral("116 "), QStringLiteral("117 "),
        QStringLiteral("118 "), QStringLiteral("119 "), QStringLiteral("120 PID="), QStringLiteral("121 "),
        QStringLiteral("122 "), QStringLiteral("123 "), QStringLiteral("124 "), QStringLiteral("125 "),
        QStringLiteral("126 "), QStringLiteral("127 ")};
    const auto &columns = MortgageSheet().columns;
    MortgageCells &v = m_values;
    for (int c = 0; c < MortgageColumnCount; ++c) {
        m_context.trace.setCell(&steps[c], c);
        v[size_t(c)].resize(0);
        AppendStoredText(columns[size_t(c)], cells[size_t(c)], v[size_t(c)]);
        noteCut(columns[size_t(c)], cells[size_t(c)]);
        switch (c) {
        case ColAcd:
            if (!isValidAcd(v[ColAcd]))
                warn(LoadMessage::InvalidAcd(cells));
            break;
        case ColMortco:
            if (trimmed[ColMortco].isEmpty())
                warn(LoadMessage::CompanyMissing());
            break;
        case ColNumber:
            if (trimmed[ColNumber].size() > 12)
                warn(LoadMessage::NumberTruncated(cells, v[ColNumber]));
            break;
        case ColCd:
            if (!pidOnly && trimmed[ColCd].isEmpty())
                warn(LoadMessage::DistrictMissing());
            else if (!pidOnly && trimmed[ColCd].size() > 2)
                warn(LoadMessage::DistrictTooLong(cells, v[ColCd]));
            break;
        case ColJur:
            if (!pidOnly && trimmed[ColJur].isEmpty())
                warn(LoadMessage::JurisdictionMissing());
            else if (!pidOnly && trimmed[ColJur].size() > 3)
                warn(LoadMessage::JurisdictionTooLong(cells, v[ColJur]));
            break;
        case ColFolio:
            if (!pidOnly && trimmed[ColFolio].size() > 18)
                warn(LoadMessage::FolioTruncated(cells, v[ColFolio]));
            break;
        case ColPid:
            if (trimmed[ColPid].size() > 9)
                warn(LoadMessage::PidTruncated(cells, v[ColPid]));
            if (trimmed[ColFolio].isEmpty() && trimmed[ColPid].isEmpty())
                warn(LoadMessage::FolioAndPidMissing(cells));
            break;
        default:
            break;
        }
    }
}

void MortgageRows::store(const MortgageCells &cells, const TrimmedCells &trimmed, bool pidOnly)
{
    m_context.trace.set(QStringLiteral("113"));
    setStoredValues(cells, trimmed, pidOnly);
    const MortgageCells &v = m_values;
    m_context.trace.setSavingRow();
    for (int c = 0; c < MortgageColumnCount; ++c)
        m_insert.text(v[size_t(c)]);
    // What the trace of a refused row names.
    MortgageCells &queued = m_queued[size_t(m_queuedCount++)];
    for (int c : {ColMortco, ColCd, ColJur, ColFolio, ColPid})
        assign(queued[size_t(c)], cells[size_t(c)]);
    queueRow();
    m_context.trace.set(QStringLiteral("129"));
    m_folios.insert({v[ColMortco], v[ColJur], v[ColFolio]});
    // A PID lookup is made for a PID that is not empty only.
    if (!v[ColPid].isEmpty())
        m_pids.insert({v[ColMortco], v[ColPid]});
    m_context.trace.set(QStringLiteral("130"));
}

}  // namespace zolt::verify
