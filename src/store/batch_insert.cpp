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
    if (sqlite3_step(st) != SQLITE_DONE) {
        const ZoltError refused(sqlite3_extended_errcode(m_db.handle()),
                                QString::fromUtf8(sqlite3_errmsg(m_db.handle())));
        sqlite3_reset(st);
        throw refused;
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
        } catch (const ZoltError &) {
            // A refused statement stores none of its rows: store them one by
            // one to find the row the database refuses.
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

}  // namespace zolt
