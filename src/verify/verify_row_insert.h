#pragma once

#include "common/errors.h"

#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <optional>
#include <vector>

struct sqlite3_stmt;

namespace zolt::sql {
class Database;
}

namespace zolt::verify {

// The database refused a queued row: which one (from 0, in queue order) and
// why. The rows queued before it are stored, the ones after it are not.
class RowRefused : public ZoltError {
public:
    RowRefused(int queuedIndex, const ZoltError &why) : ZoltError(why), m_queuedIndex(queuedIndex) {}
    int queuedIndex() const { return m_queuedIndex; }

private:
    int m_queuedIndex;
};

// An INSERT prepared once and run for many rows. Rows are queued and stored
// several to a statement, which spares SQLite most of its per-statement work;
// the texts are encoded into one reused buffer and handed over from there.
class RowInsert {
public:
    // batchRows: how many rows one statement stores (1: each row at once).
    RowInsert(sql::Database &db, const QString &table, const QStringList &fields, int batchRows = 1);
    ~RowInsert();
    RowInsert(const RowInsert &) = delete;
    RowInsert &operator=(const RowInsert &) = delete;

    // The values of the row being built, by position from 0.
    void setText(int position, const QString &value);
    void setNumber(int position, qint64 value);
    // Queues the row; stores the queue when it holds a full batch.
    void addRow();
    // Stores the queued rows. Throws RowRefused when one is refused.
    void flush();
    int queued() const { return m_queued; }

private:
    struct Value {
        QString text;
        std::optional<qint64> number;
    };
    sqlite3_stmt *prepare(const QString &table, const QStringList &fields, int rows);
    void bindRow(sqlite3_stmt *st, int firstParameter, const Value *row, char *&out);
    void step(sqlite3_stmt *st);
    void storeOneByOne();

    sql::Database &m_db;
    int m_columns;
    int m_batchRows;
    sqlite3_stmt *m_single = nullptr;
    sqlite3_stmt *m_batch = nullptr;
    std::vector<Value> m_values;  // m_batchRows rows of m_columns values; the last queued + 1 is being built
    int m_queued = 0;
    QByteArray m_utf8;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
};

}  // namespace zolt::verify
