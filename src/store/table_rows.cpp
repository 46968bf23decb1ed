#include "table_rows.h"

#include "sqlite_db.h"

namespace zolt {

void ReadRowsInSourceOrder(Database &db, const QString &table, const QStringList &fields, const QString &source,
                           const std::function<void(qint64 rowid, const QStringList &values)> &row)
{
    // The whole table is read: one pass and a sort beat walking an index
    // and looking every row up in the table (three times over, measured).
    // Rows alike in the order come in rowid order, as an index walk gives them.
    const qsizetype at = source.indexOf(QStringLiteral("ORDER BY"), 0, Qt::CaseInsensitive);
    const QString order = at < 0 ? QStringLiteral(" ORDER BY rowid") : u' ' + source.mid(at) + QStringLiteral(", rowid");
    Statement st = db.prepare(
        QStringLiteral("SELECT rowid, %1 FROM \"%2\" NOT INDEXED").arg(fields.join(QStringLiteral(", ")), table) + order);
    QStringList values;
    while (st.step()) {
        values.clear();
        for (qsizetype f = 0; f < fields.size(); ++f)
            values << st.column(int(f + 1)).toString();
        row(st.column(0).toLongLong(), values);
    }
}

RowUpdate::RowUpdate(Database &db, const QString &table, const QStringList &fields) : m_fields(fields.size())
{
    QStringList settings;
    for (const QString &field : fields)
        settings << field + QStringLiteral(" = ?");
    m_statement = std::make_unique<Statement>(
        db, QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = ?").arg(table, settings.join(QStringLiteral(", "))));
}

RowUpdate::~RowUpdate() = default;

void RowUpdate::run(qint64 rowid, const QStringList &values)
{
    for (qsizetype f = 0; f < m_fields; ++f)
        m_statement->bind(int(f + 1), values.value(f));
    m_statement->bind(int(m_fields + 1), rowid);
    m_statement->run();
    m_statement->reset();
}

}  // namespace zolt
