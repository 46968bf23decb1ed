#pragma once

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

// An INSERT prepared once and run per row. The row's texts are encoded into
// one reused buffer and handed to SQLite from there: the loads store tens of
// thousands of rows through it.
class RowInsert {
public:
    RowInsert(sql::Database &db, const QString &table, const QStringList &fields);
    ~RowInsert();
    RowInsert(const RowInsert &) = delete;
    RowInsert &operator=(const RowInsert &) = delete;

    // Values by position from 0, kept until run() stores the row.
    void setText(int position, const QString &value);
    void setNumber(int position, qint64 value);
    // Throws ZoltError with the database's number when the row is refused.
    void run();

private:
    sql::Database &m_db;
    sqlite3_stmt *m_stmt = nullptr;
    std::vector<QString> m_texts;
    std::vector<std::optional<qint64>> m_numbers;  // set: the value is this number
    QByteArray m_utf8;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
};

}  // namespace zolt::verify
