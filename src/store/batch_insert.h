#pragma once

#include "common/errors.h"

#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <vector>

struct sqlite3_stmt;

namespace zolt {

class Database;

// The database refused a queued row, or failed while storing it (a full
// disk): which one (from 0, in queue order) and why, in the user's words
// (Database::failure). The rows queued before it are stored, the ones after
// it are not.
class RowRefused : public ZoltError {
public:
    RowRefused(int queuedIndex, const ZoltError &why) : ZoltError(why), m_queuedIndex(queuedIndex) {}
    int queuedIndex() const { return m_queuedIndex; }

private:
    int m_queuedIndex;
};

// The one way the loads and imports write many rows: an INSERT prepared once
// and run for every row. A row's values are given in the order of the fields,
// then addRow() queues it; the queue is stored `batchRows` rows to a
// statement, which spares SQLite most of its per-statement work (1: each row
// at once). Texts are encoded as they are given into one reused buffer and
// handed over from there, so that a long load allocates nothing per row.
class BatchInsert {
public:
    BatchInsert(Database &db, const QString &table, const QStringList &fields, int batchRows = 1);
    ~BatchInsert();
    BatchInsert(const BatchInsert &) = delete;
    BatchInsert &operator=(const BatchInsert &) = delete;

    BatchInsert &text(QStringView value);
    BatchInsert &real(double value);
    BatchInsert &integer(qint64 value);
    // Queues the row; stores the queue when it holds a full batch. Throws
    // RowRefused when the database refuses a row. A failure that is no
    // refusal of a row (a full disk, an I/O error: it may have ended the
    // transaction) throws ZoltError and stores nothing more.
    void addRow();
    // Stores the queued rows; throws RowRefused as addRow().
    void flush();
    int queued() const { return m_queued; }

private:
    struct Value {
        enum class Kind { Text, Real, Integer } kind = Kind::Text;
        qsizetype start = 0;  // a text's UTF-8 in m_utf8
        qsizetype size = 0;
        double real = 0;
        qint64 integer = 0;
    };
    Value &next();
    sqlite3_stmt *prepare(const QString &table, const QStringList &fields, int rows);
    void bindRow(sqlite3_stmt *st, int firstParameter, const Value *row);
    void step(sqlite3_stmt *st);
    void storeOneByOne();

    Database &m_db;
    int m_columns;
    int m_batchRows;
    sqlite3_stmt *m_single = nullptr;
    sqlite3_stmt *m_batch = nullptr;
    std::vector<Value> m_values;  // m_batchRows rows of m_columns values, and the row being built
    int m_queued = 0;
    int m_column = 0;  // next value of the row being built
    std::vector<char> m_utf8;  // the texts of the queued rows, in its first m_utf8Size bytes
    qsizetype m_utf8Size = 0;
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
};

// Whether a failure is the database refusing a row by one of its rules (a
// unique index, a check, a trigger), rather than failing to store it.
bool IsRowRefusal(const ZoltError &failure);

// Whether the database refused a row because the unique index already holds
// its key (and not for another constraint, or another failure).
bool RefusedByUniqueIndex(Database &db, const ZoltError &refusal, const QString &index);

}  // namespace zolt
