#include "sheet_rows.h"

#include "common/read_ahead.h"
#include "workbook_problem.h"

#include <algorithm>

namespace zolt::workbook {

SheetRows::SheetRows(const QString &path, std::unique_ptr<RowParser> parser)
    : m_path(path), m_parser(std::move(parser)), m_announcedRows(m_parser->announcedRows()),
      m_reading(std::make_unique<ReadAhead<RowBatch>>(
          [this](RowBatch &batch, const std::function<bool()> &stopping) { return m_parser->fill(batch, stopping); }))
{
}

// The reading stops before the parser goes.
SheetRows::~SheetRows()
{
    m_reading.reset();
}

void SheetRows::advance()
{
    while (!m_batch || m_next >= m_batch->rows.size()) {
        m_held = nullptr;  // the batch goes back to the reading
        m_batch = ReportingProblems(m_path, [&] { return m_reading->next(); });
        m_next = 0;
        if (!m_batch) {
            m_ended = true;
            return;
        }
    }
    m_held = &m_batch->rows[m_next++];
}

bool SheetRows::moveTo(int row)
{
    m_requested = row;
    while (!m_ended && (!m_held || m_held->number < row))
        advance();
    return holdsRequestedRow();
}

bool SheetRows::moveToNextListed()
{
    if (!m_held || m_held->number <= m_requested) {
        if (m_ended)
            return false;
        advance();
        if (!m_held)
            return false;
    }
    m_requested = m_held->number;
    return true;
}

QStringView SheetRows::cell(int column) const
{
    if (!holdsRequestedRow())
        return {};
    const auto first = m_batch->cells.begin() + m_held->firstCell;
    const auto last = first + m_held->cellCount;
    const auto found = std::lower_bound(first, last, column, [](const auto &cell, int c) { return cell.column < c; });
    return found != last && found->column == column ? m_batch->cellText(*found) : QStringView();
}

int SheetRows::lastFilledColumn() const
{
    if (!holdsRequestedRow() || m_held->cellCount == 0)
        return 0;
    return m_batch->cells[size_t(m_held->firstCell + m_held->cellCount - 1)].column;
}

void SheetRows::finish()
{
    m_requested = -1;
    while (!m_ended)
        advance();
}

}  // namespace zolt::workbook
