#pragma once

#include "cell.h"
#include "common/read_ahead.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zolt {

class Statement;

// Steps a statement on a thread of its own, a batch of rows ahead of the
// caller, who works on the rows read before: a long read in SQLite's order
// (an index and a sort) on one core while the rows are turned into lines on
// the other. Each row's cells are copied out of SQLite, so they outlive the
// step.
//
// The connection serves one thread at a time. Work of the caller's that may
// reach the database, letting the window paint above all, runs through
// whileReadingPaused(). What the statement throws comes to the caller from
// next(), in its place.
class RowsAhead {
public:
    class Batch {
    public:
        qsizetype rows() const { return m_columns ? qsizetype(m_cells.size()) / m_columns : 0; }
        // The row's cells, one per column.
        const Cell *row(qsizetype index) const { return m_cells.data() + index * m_columns; }
        void clear();

    private:
        friend class RowsAhead;
        qsizetype m_columns = 0;
        std::vector<Cell> m_cells;
        std::vector<qsizetype> m_offsets;  // of each cell's bytes in m_bytes
        std::string m_bytes;
    };

    // Copies the given columns of each row (all of them when none are
    // given); a row's cells come in that order.
    explicit RowsAhead(Statement &statement, std::vector<int> columns = {});

    // The next rows; null after the last.
    const Batch *next() { return m_reading.next(); }

    template <typename Work>
    void whileReadingPaused(Work &&work)
    {
        std::lock_guard paused(m_connection);
        work();
    }

private:
    // Batches in flight: the reading goes on while the caller is busy
    // elsewhere for a while (a backup copy).
    static constexpr int BatchesAhead = 16;
    bool fill(Batch &batch, const std::function<bool()> &stopping);

    Statement &m_statement;
    std::vector<int> m_columns;
    std::mutex m_connection;  // held by the reading while it steps
    ReadAhead<Batch> m_reading;
};

}  // namespace zolt
