#include "rows_ahead.h"

#include "sqlite_db.h"

namespace zolt {

void RowsAhead::Batch::clear()
{
    m_cells.clear();
    m_offsets.clear();
    m_bytes.clear();
}

namespace {

std::vector<int> allColumns(const Statement &statement)
{
    std::vector<int> columns(size_t(statement.columnCount()));
    for (size_t c = 0; c < columns.size(); ++c)
        columns[c] = int(c);
    return columns;
}

}  // namespace

RowsAhead::RowsAhead(Statement &statement, std::vector<int> columns)
    : m_statement(statement), m_columns(columns.empty() ? allColumns(statement) : std::move(columns)),
      m_reading([this](Batch &batch, const std::function<bool()> &stopping) { return fill(batch, stopping); },
                BatchesAhead)
{
}

bool RowsAhead::fill(Batch &batch, const std::function<bool()> &stopping)
{
    constexpr qsizetype RowsPerBatch = 512;
    const size_t columns = m_columns.size();
    batch.m_columns = qsizetype(columns);
    if (columns == 0 || stopping())
        return false;
    batch.m_cells.resize(size_t(RowsPerBatch) * columns);
    batch.m_offsets.resize(batch.m_cells.size());
    size_t filled = 0;
    // The rows stepped to, the bytes staying where they are from then on.
    auto finish = [&batch, &filled] {
        batch.m_cells.resize(filled);
        for (size_t i = 0; i < filled; ++i) {
            Cell &cell = batch.m_cells[i];
            cell.bytes = QByteArrayView(batch.m_bytes.data() + batch.m_offsets[i], cell.bytes.size());
        }
    };
    bool more = true;
    try {
        std::lock_guard reading(m_connection);
        while (filled < batch.m_cells.size() && (more = m_statement.step())) {
            for (int c : m_columns) {
                const Cell cell = m_statement.cell(c);
                batch.m_cells[filled] = cell;
                batch.m_offsets[filled++] = qsizetype(batch.m_bytes.size());
                batch.m_bytes.append(cell.bytes.data(), size_t(cell.bytes.size()));
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return more;
}

}  // namespace zolt
