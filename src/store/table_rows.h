#pragma once

#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace zolt {

class Database;
class Statement;

// Reads `fields` of every row of `table` with each row's rowid, in the
// order the table holds them, calling `row` for each. `meanwhile` (letting
// the window paint) runs now and then while the reading waits.
void ReadRows(Database &db, const QString &table, const QStringList &fields,
              const std::function<void(qint64 rowid, const QStringList &values)> &row,
              const std::function<void()> &meanwhile = {});

// The rows of `table` given by their rowids, in the order of a recordset's
// source ("SELECT * FROM VERIFY ORDER BY NUMBER"; rowid order when it has
// none); rows alike in that order come in rowid order.
std::vector<qint64> RowsInSourceOrder(Database &db, const QString &table, const QString &source,
                                      const std::vector<qint64> &rowids);

// Sets `fields` of one row, found by its rowid, to new values: an UPDATE
// prepared once and run for every row. A row whose fields already hold the
// values, letter for letter, is left as it is: nothing is written for it.
class RowUpdate {
public:
    RowUpdate(Database &db, const QString &table, const QStringList &fields);
    ~RowUpdate();
    RowUpdate(const RowUpdate &) = delete;
    RowUpdate &operator=(const RowUpdate &) = delete;

    // The values in the order of the fields, one for each. Throws ZoltError.
    void run(qint64 rowid, const QStringList &values);

private:
    std::unique_ptr<Statement> m_statement;
    qsizetype m_fields;
    // The values as UTF-8, one after another: SQLite compares and stores
    // them as they are, with no conversion of its own.
    std::vector<char> m_utf8;
    std::vector<qsizetype> m_ends;
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
};

}  // namespace zolt
