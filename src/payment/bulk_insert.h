#pragma once

#include <QString>

struct sqlite3_stmt;

namespace zolt::sql {
class Database;
}

namespace zolt::payment {

// An INSERT run for many rows: values are bound straight from the caller's
// strings and numbers, which must live until run() returns.
class BulkInsert {
public:
    BulkInsert(sql::Database &db, const QString &table, const QStringList &columns);
    ~BulkInsert();
    BulkInsert(const BulkInsert &) = delete;
    BulkInsert &operator=(const BulkInsert &) = delete;

    BulkInsert &text(const QString &value);
    BulkInsert &number(double value);
    BulkInsert &integer(qint64 value);
    // Inserts the row bound so far; throws ZoltError when the database refuses it.
    void run();

private:
    void check(int rc);

    sql::Database &m_db;
    sqlite3_stmt *m_stmt = nullptr;
    int m_next = 1;
};

}  // namespace zolt::payment
