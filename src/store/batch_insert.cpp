#include "batch_insert.h"

#include "sqlite_db.h"

#include <QStringList>
#include <sqlite3.h>

namespace zolt {

BatchInsert::BatchInsert(Database &db, const QString &table, const QStringList &fields, int batchRows)
    : m_db(db), m_columns(int(fields.size())), m_batchRows(std::max(1, batchRows)),
      m_values(size_t(m_columns) * size_t(m_batchRows + 1))
{
    m_single = prepare(table, fields, 1);
    if (m_batchRows > 1)
        m_batch = prepare(table, fields, m_batchRows);
}

BatchInsert::~BatchInsert()
{
    sqlite3_finalize(m_single);
    sqlite3_finalize(m_batch);
}

sqlite3_stmt *BatchInsert::prepare(const QString &table, const QStringList &fields, int rows)
{
    QStringList quoted;
    for (const QString &f : fields)
        quoted << u'"' + QString(f).remove(u'"') + u'"';
    const QString one = u'(' + QStringList(fields.size(), QStringLiteral("?")).join(u',') + u')';
    const QByteArray text = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES %3")
                                .arg(QString(table).remove(u'"'), quoted.join(u','), QStringList(rows, one).join(u','))
                                .toUtf8();
    sqlite3_stmt *st = nullptr;
    const int rc = sqlite3_prepare_v2(m_db.handle(), text.constData(), int(text.size()), &st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        m_db.fail(rc);
    }
    return st;
}

BatchInsert::Value &BatchInsert::next()
{
    if (m_column >= m_columns)
        throw ZoltError(ErrorNumber::Unexpected, QStringLiteral("A row was given more values than it has fields."));
    return m_values[size_t(m_queued * m_columns + m_column++)];
}

BatchInsert &BatchInsert::text(QStringView value)
{
    Value &v = next();
    v.kind = Value::Kind::Text;
    v.start = m_utf8Size;
    const qsizetype needed = m_utf8Size + m_encoder.requiredSpace(value.size());
    if (needed > qsizetype(m_utf8.size()))
        m_utf8.resize(size_t(std::max(needed, 2 * qsizetype(m_utf8.size()))));
    const char *end = m_encoder.appendToBuffer(m_utf8.data() + v.start, value);
    v.size = end - (m_utf8.data() + v.start);
    m_utf8Size += v.size;
    return *this;
}

BatchInsert &BatchInsert::real(double value)
{
    Value &v = next();
    v.kind = Value::Kind::Real;
    v.real = value;
    return *this;
}

BatchInsert &BatchInsert::integer(qint64 value)
{
    Value &v = next();
    v.kind = Value::Kind::Integer;
    v.integer = value;
    return *this;
}

void BatchInsert::addRow()
{
    if (m_column != m_columns)
        throw ZoltError(ErrorNumber::Unexpected, QStringLiteral("A row was given fewer values than it has fields."));
    m_column = 0;
    ++m_queued;
    if (m_queued == m_batchRows)
        flush();
}

void BatchInsert::bindRow(sqlite3_stmt *st, int firstParameter, const Value *row)
{
    for (int c = 0; c < m_columns; ++c) {
        const Value &v = row[c];
        int rc = SQLITE_OK;
        switch (v.kind) {
        case Value::Kind::Integer:
            rc = sqlite3_bind_int64(st, firstParameter + c, v.integer);
            break;
        case Value::Kind::Real:
            rc = sqlite3_bind_double(st, firstParameter + c, v.real);
            break;
        case Value::Kind::Text:
            rc = sqlite3_bind_text(st, firstParameter + c, m_utf8.data() + v.start, int(v.size), SQLITE_STATIC);
            break;
        }
        if (rc != SQLITE_OK)
            m_db.fail(rc);
    }
}

void BatchInsert::step(sqlite3_stmt *st)
{
    if (const int rc = sqlite3_step(st); rc != SQLITE_DONE) {
        const ZoltError failed = m_db.failure(rc);
        sqlite3_reset(st);
        throw failed;
    }
    sqlite3_reset(st);
}

void BatchInsert::flush()
{
    if (m_queued == 0)
        return;
    if (m_queued == m_batchRows && m_batch) {
        for (int r = 0; r < m_queued; ++r)
            bindRow(m_batch, r * m_columns + 1, &m_values[size_t(r * m_columns)]);
        try {
            step(m_batch);
            m_queued = 0;
            m_utf8Size = 0;
            return;
        } catch (const ZoltError &e) {
            // A refused statement stores none of its rows: store them one by
            // one to find the row the database refuses. A failure of another
            // kind may have rolled the transaction back, and rows stored
            // now would each be committed on their own.
            if (!IsRowRefusal(e)) {
                m_queued = 0;
                m_utf8Size = 0;
                throw;
            }
        }
    }
    storeOneByOne();
}

void BatchInsert::storeOneByOne()
{
    const int queued = m_queued;
    m_queued = 0;
    for (int r = 0; r < queued; ++r) {
        bindRow(m_single, 1, &m_values[size_t(r * m_columns)]);
        try {
            step(m_single);
        } catch (const ZoltError &e) {
            m_utf8Size = 0;
            throw RowRefused(r, e);
        }
    }
    m_utf8Size = 0;
}

bool IsRowRefusal(const ZoltError &failure)
{
    return (failure.number() & 0xff) == SQLITE_CONSTRAINT;
}

bool RefusedByUniqueIndex(Database &db, const ZoltError &refusal, const QString &index)
{
    if (refusal.number() != SQLITE_CONSTRAINT_UNIQUE)
        return false;
    // SQLite names the index's columns, or the index itself when it holds
    // expressions.
    try {
        Statement st = db.prepare(QStringLiteral("SELECT i.name, m.tbl_name FROM sqlite_master m, "
                                                 "pragma_index_info(?1) i WHERE m.type = 'index' AND m.name = ?1 "
                                                 "ORDER BY i.seqno"));
        st.bind(1, index);
        QStringList columns;
        bool expressions = false;
        while (st.step()) {
            expressions = expressions || st.column(0).isNull();
            columns << st.column(1).toString() + u'.' + st.column(0).toString();
        }
        if (columns.isEmpty())
            return false;
        const QString named =
            expressions ? QStringLiteral("index '%1'").arg(index) : columns.join(QStringLiteral(", "));
        return refusal.description() == QStringLiteral("UNIQUE constraint failed: ") + named;
    } catch (const ZoltError &) {
        return false;
    }
}

}  // namespace zolt
