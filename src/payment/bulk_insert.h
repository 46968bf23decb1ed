#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <vector>

struct sqlite3_stmt;

namespace zolt::sql {
class Database;
}

namespace zolt::payment {

// An INSERT run for many rows. Text is bound as UTF-8 from one buffer kept
// from row to row, so that a row costs no allocations.
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

    struct PendingText {
        int index;
        qsizetype offset;
        qsizetype size;
    };

    sql::Database &m_db;
    sqlite3_stmt *m_stmt = nullptr;
    int m_next = 1;
    QByteArray m_utf8;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    std::vector<PendingText> m_texts;
};

}  // namespace zolt::payment
