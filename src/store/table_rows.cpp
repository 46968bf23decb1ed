#include "table_rows.h"

#include "rows_ahead.h"
#include "sqlite_db.h"

namespace zolt {

void ReadRows(Database &db, const QString &table, const QStringList &fields,
              const std::function<void(qint64 rowid, const QStringList &values)> &row,
              const std::function<void()> &meanwhile)
{
    // SQLite steps on a thread of its own while the rows read before are
    // worked on.
    Statement st = db.prepare(
        QStringLiteral("SELECT rowid, %1 FROM \"%2\" NOT INDEXED").arg(fields.join(QStringLiteral(", ")), table));
    RowsAhead rows(st);
    QStringList values;
    while (const RowsAhead::Batch *batch = rows.next()) {
        for (qsizetype r = 0; r < batch->rows(); ++r) {
            const Cell *cells = batch->row(r);
            values.clear();
            for (qsizetype f = 0; f < fields.size(); ++f)
                values << cells[f + 1].value().toString();
            row(cells[0].integer, values);
        }
        if (meanwhile)
            rows.whileReadingPaused(meanwhile);
    }
}

std::vector<qint64> RowsInSourceOrder(Database &db, const QString &table, const QString &source,
                                      const std::vector<qint64> &rowids)
{
    const qsizetype at = source.indexOf(QStringLiteral("ORDER BY"), 0, Qt::CaseInsensitive);
    const QString order = at < 0 ? QStringLiteral(" ORDER BY rowid") : u' ' + source.mid(at) + QStringLiteral(", rowid");
    QStringList listed;
    listed.reserve(qsizetype(rowids.size()));
    for (const qint64 rowid : rowids)
        listed << QString::number(rowid);
    Statement st = db.prepare(QStringLiteral("SELECT rowid FROM \"%1\" WHERE rowid IN (%2)")
                                  .arg(table, listed.join(u',')) + order);
    std::vector<qint64> ordered;
    ordered.reserve(rowids.size());
    while (st.step())
        ordered.push_back(st.column(0).toLongLong());
    return ordered;
}

RowUpdate::RowUpdate(Database &db, const QString &table, const QStringList &fields) : m_fields(fields.size())
{
    // The fields compare as they are written, whatever collation they have.
    QStringList settings, changes;
    for (qsizetype f = 0; f < fields.size(); ++f) {
        settings << QStringLiteral("%1 = ?%2").arg(fields[f]).arg(f + 1);
        changes << QStringLiteral("%1 IS NOT ?%2 COLLATE BINARY").arg(fields[f]).arg(f + 1);
    }
    m_statement = std::make_unique<Statement>(
        db, QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = ?%3 AND (%4)")
                .arg(table, settings.join(QStringLiteral(", ")))
                .arg(fields.size() + 1)
                .arg(changes.join(QStringLiteral(" OR "))));
}

RowUpdate::~RowUpdate() = default;

void RowUpdate::run(qint64 rowid, const QStringList &values)
{
    qsizetype needed = 0;
    for (qsizetype f = 0; f < m_fields; ++f)
        needed += m_encoder.requiredSpace(values.at(f).size());
    if (needed > qsizetype(m_utf8.size()))
        m_utf8.resize(size_t(needed));
    m_ends.resize(size_t(m_fields));
    char *out = m_utf8.data();
    for (qsizetype f = 0; f < m_fields; ++f) {
        out = m_encoder.appendToBuffer(out, values.at(f));
        m_ends[size_t(f)] = out - m_utf8.data();
    }
    qsizetype start = 0;
    for (qsizetype f = 0; f < m_fields; ++f) {
        m_statement->bindUtf8(int(f + 1), QByteArrayView(m_utf8.data() + start, m_ends[size_t(f)] - start));
        start = m_ends[size_t(f)];
    }
    m_statement->bind(int(m_fields + 1), rowid);
    m_statement->run();
    m_statement->reset();
}

}  // namespace zolt
