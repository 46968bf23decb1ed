#include "verify_load_mortgage.h"

#include "common/text_utils.h"
#include "common/workbook/workbook_reader.h"
#include "store/data_environment.h"
#include "verify_layout.h"

namespace zolt::verify {
namespace {

constexpr int MaxEndMarks = 3;
constexpr int MessageBoxLimit = 3;  // not-loaded rows beyond this go to the list only

QString insertSql()
{
    QStringList fields;
    for (const Column &c : MortgageSheet().columns)
        fields << c.field;
    return QStringLiteral("INSERT INTO VERIFY (%1) VALUES (%2)")
        .arg(fields.join(u','), QStringList(fields.size(), QStringLiteral("?")).join(u','));
}

// A lookup key that compares as the filters do: without regard to case,
// trailing blanks included.
QString key(std::initializer_list<QString> parts)
{
    QString k;
    for (const QString &p : parts)
        k += p.toCaseFolded() + QChar(0x1f);
    return k;
}

bool allEmpty(const MortgageCells &trimmed, std::initializer_list<int> columns)
{
    for (int c : columns) {
        if (!trimmed[size_t(c)].isEmpty())
            return false;
    }
    return true;
}

QString nonNull(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

}  // namespace

MortgageRows::MortgageRows(LoadContext &context)
    : m_context(context), m_insert(context.session.de.Zolt().database().prepare(insertSql()))
{
}

void MortgageRows::read(const SheetCells &sheet)
{
    for (int row = 1; m_endMarks < MaxEndMarks; ++row)
        handleRow(sheet, row);
}

void MortgageRows::handleRow(const SheetCells &sheet, int row)
{
    m_context.trace.set(QStringLiteral("100"));
    if (IsHeaderRow(MortgageSheet(), sheet, row)) {
        ++m_endMarks;
        return;
    }
    m_context.trace.set(QStringLiteral("101"));
    MortgageCells cells, trimmed;
    for (int c = 0; c < MortgageColumnCount; ++c) {
        cells[size_t(c)] = sheet.cell(row, c + 1);
        trimmed[size_t(c)] = TrimBlanks(cells[size_t(c)]);
    }
    if (std::all_of(trimmed.begin(), trimmed.end(), [](const QString &s) { return s.isEmpty(); })) {
        ++m_endMarks;
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

bool MortgageRows::isDuplicate(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly)
{
    m_context.trace.set(QStringLiteral("102"));
    const QString company = PadCut(cells[ColMortco], 4);
    const QString head = QStringLiteral("MORTCO = '") + EscapeCriteria(company) + QStringLiteral("' ");
    QString &filter = m_context.session.shared.gFilter;
    if (pidOnly) {
        filter = head + QStringLiteral("AND PID = '") + EscapeCriteria(trimmed[ColPid]) + QStringLiteral("' ");
        m_context.trace.set(QStringLiteral("103"));
        return m_pidKeys.contains(key({company, trimmed[ColPid]}));
    }
    const QString jur = PadCut(cells[ColJur], 3);
    filter = head + QStringLiteral("AND JUR = '") + EscapeCriteria(jur) + QStringLiteral("' ")
        + QStringLiteral("AND FOLIO = '") + EscapeCriteria(trimmed[ColFolio]) + QStringLiteral("' ");
    m_context.trace.set(QStringLiteral("103"));
    return m_folioKeys.contains(key({company, jur, trimmed[ColFolio]}));
}

void MortgageRows::reportDuplicate(const MortgageCells &cells, bool pidOnly)
{
    m_context.trace.set(QStringLiteral("106"));
    VerifyLoadResult &counts = m_context.counts;
    ++counts.notLoaded;
    m_context.trace.set(pidOnly ? QStringLiteral("108") : QStringLiteral("108b"));
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
    m_context.deliver(text);
    ++m_context.counts.formatWarnings;
}

MortgageCells MortgageRows::storedValues(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly)
{
    static const QStringList validAcd{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("D"),
                                      QStringLiteral(" ")};
    static const QString steps[MortgageColumnCount] = {
        QStringLiteral("114 "), QStringLiteral("115 "), QStringLiteral("116 "), QStringLiteral("117 "),
        QStringLiteral("118 "), QStringLiteral("119 "), QStringLiteral("120 PID="), QStringLiteral("121 "),
        QStringLiteral("122 "), QStringLiteral("123 "), QStringLiteral("124 "), QStringLiteral("125 "),
        QStringLiteral("126 "), QStringLiteral("127 ")};
    const auto &columns = MortgageSheet().columns;
    MortgageCells v;
    for (int c = 0; c < MortgageColumnCount; ++c) {
        m_context.trace.set(steps[c], cells[size_t(c)]);
        v[size_t(c)] = nonNull(StoredValue(columns[size_t(c)], cells[size_t(c)]).toString());
        switch (c) {
        case ColAcd:
            if (!validAcd.contains(v[ColAcd]))
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
    return v;
}

void MortgageRows::store(const MortgageCells &cells, const MortgageCells &trimmed, bool pidOnly)
{
    m_context.trace.set(QStringLiteral("113"));
    const MortgageCells v = storedValues(cells, trimmed, pidOnly);
    m_context.trace.set(LoadMessage::SavingRow(cells));
    m_insert.reset();
    for (int c = 0; c < MortgageColumnCount; ++c)
        m_insert.bind(c + 1, v[size_t(c)]);
    m_insert.run();
    m_context.trace.set(QStringLiteral("129"));
    m_folioKeys.insert(key({v[ColMortco], v[ColJur], v[ColFolio]}));
    m_pidKeys.insert(key({v[ColMortco], v[ColPid]}));
    ++m_context.counts.loaded;
    m_context.trace.set(QStringLiteral("130"));
}

}  // namespace zolt::verify
