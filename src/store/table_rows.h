#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace zolt {

class Database;
class Statement;

// Reads `fields` of every row of `table` with each row's rowid, in the order
// of a recordset's source ("SELECT * FROM VERIFY ORDER BY NUMBER"; rowid
// order when it has none), calling `row` for each.
void ReadRowsInSourceOrder(Database &db, const QString &table, const QStringList &fields, const QString &source,
                           const std::function<void(qint64 rowid, const QStringList &values)> &row);

// Sets `fields` of one row, found by its rowid, to new values: an UPDATE
// prepared once and run for every row.
class RowUpdate {
public:
    RowUpdate(Database &db, const QString &table, const QStringList &fields);
    ~RowUpdate();
    RowUpdate(const RowUpdate &) = delete;
    RowUpdate &operator=(const RowUpdate &) = delete;

    // The values in the order of the fields. Throws ZoltError.
    void run(qint64 rowid, const QStringList &values);

private:
    std::unique_ptr<Statement> m_statement;
    qsizetype m_fields;
};

}  // namespace zolt
