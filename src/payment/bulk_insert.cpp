#include "bulk_insert.h"

#include "store/sqlite_db.h"

#include <QStringList>
#include <sqlite3.h>

namespace zolt::payment {

BulkInsert::BulkInsert(sql::Database &db, const QString &table, const QStringList &columns) : m_db(db)
{
    const QByteArray text = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(table, columns.join(u','),
                                     QStringList(columns.size(), QStringLiteral("?")).join(u','))
                                .toUtf8();
    check(sqlite3_prepare_v2(db.handle(), text.constData(), int(text.size()), &m_stmt, nullptr));
}

BulkInsert::~BulkInsert()
{
    sqlite3_finalize(m_stmt);
}

void BulkInsert::check(int rc)
{
    if (rc != SQLITE_OK)
        m_db.fail(rc);
}

BulkInsert &BulkInsert::text(const QString &value)
{
    const qsizetype offset = m_utf8.size();
    m_utf8.resize(offset + value.size() * 3);  // the most UTF-8 a UTF-16 unit needs
    char *const start = m_utf8.data() + offset;
    const char *const end = m_encoder.appendToBuffer(start, value);
    m_utf8.resize(offset + (end - start));
    m_texts.push_back({m_next++, offset, end - start});
    return *this;
}

BulkInsert &BulkInsert::number(double value)
{
    check(sqlite3_bind_double(m_stmt, m_next++, value));
    return *this;
}

BulkInsert &BulkInsert::integer(qint64 value)
{
    check(sqlite3_bind_int64(m_stmt, m_next++, value));
    return *this;
}

void BulkInsert::run()
{
    // The buffer is complete and stays put while the row is inserted.
    for (const PendingText &t : m_texts)
        check(sqlite3_bind_text(m_stmt, t.index, m_utf8.constData() + t.offset, int(t.size), SQLITE_STATIC));
    m_texts.clear();
    m_next = 1;
    const int rc = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    m_utf8.resize(0);
    if (rc != SQLITE_DONE)
        m_db.fail(rc);
}

}  // namespace zolt::payment
