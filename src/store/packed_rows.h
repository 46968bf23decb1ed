#pragma once

#include "cell.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <span>
#include <vector>

namespace zolt {

// Rows of values kept compactly: each row is one run of bytes in large
// chunks, texts as UTF-8 with their trailing blanks counted rather than
// stored (the exchange files pad names and addresses with blanks). A row is
// found by its index in constant time, a value by a walk over the row's few
// values. Rows are appended and replaced, never moved: an index stays valid.
class PackedRows {
public:
    PackedRows() = default;
    PackedRows(const PackedRows &) = delete;
    PackedRows &operator=(const PackedRows &) = delete;

    qint64 size() const { return qint64(m_rows.size()); }
    // Appends a row; answers its index.
    qint64 append(std::span<const Cell> cells);
    // Gives a row new values (stored anew; the old bytes are left unused).
    void replace(qint64 row, std::span<const Cell> cells);

    QVariant value(qint64 row, int column) const;
    // The first `columns` values of a row.
    std::vector<QVariant> values(qint64 row, int columns) const;
    // The first cells.size() values of a row as cells over the stored bytes,
    // a text without its trailing blanks: valid while the rows are. When
    // trailingBlanks is given (as long as cells), it receives how many blanks
    // each text had after them, 0 for any other value.
    void trimmedCells(qint64 row, std::span<Cell> cells, std::span<qsizetype> trailingBlanks = {}) const;

private:
    struct Location {
        quint32 chunk;
        quint32 offset;
    };
    Location write(std::span<const Cell> cells);
    char *reserve(qsizetype size, Location *at);
    const char *rowData(qint64 row) const;

    static constexpr qsizetype ChunkSize = 1 << 20;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    qsizetype m_used = 0;      // bytes used in the last chunk
    qsizetype m_capacity = 0;  // size of the last chunk
    qint64 m_allocated = 0;    // bytes of all chunks
    std::vector<Location> m_rows;
};

}  // namespace zolt
