#include "verify_row_insert.h"

#include "common/errors.h"
#include "store/sqlite_db.h"

#include <QStringList>
#include <sqlite3.h>

namespace zolt::verify {

RowInsert::RowInsert(sql::Database &db, const QString &table, const QStringList &fields)
    : m_db(db), m_texts(size_t(fields.size())), m_numbers(size_t(fields.size()))
{
    QStringList quoted;
    for (const QString &f : fields)
        quoted << u'"' + f + u'"';
    const QByteArray text = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                .arg(table, quoted.join(u','), QStringList(fields.size(), QStringLiteral("?")).join(u','))
                                .toUtf8();
    const int rc = sqlite3_prepare_v2(db.handle(), text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        db.fail(rc);
}

RowInsert::~RowInsert()
{
    sqlite3_finalize(m_stmt);
}

void RowInsert::setText(int position, const QString &value)
{
    m_texts[size_t(position)] = value;
    m_numbers[size_t(position)].reset();
}

void RowInsert::setNumber(int position, qint64 value)
{
    m_numbers[size_t(position)] = value;
}

void RowInsert::run()
{
    qsizetype space = 0;
    for (const QString &text : m_texts)
        space += m_encoder.requiredSpace(text.size());
    if (m_utf8.size() < space)
        m_utf8.resize(space);
    char *out = m_utf8.data();
    for (size_t i = 0; i < m_texts.size(); ++i) {
        int rc = SQLITE_OK;
        if (m_numbers[i]) {
            rc = sqlite3_bind_int64(m_stmt, int(i) + 1, *m_numbers[i]);
        } else {
            char *end = m_encoder.appendToBuffer(out, m_texts[i]);
            rc = sqlite3_bind_text(m_stmt, int(i) + 1, out, int(end - out), SQLITE_STATIC);
            out = end;
        }
        if (rc != SQLITE_OK)
            m_db.fail(rc);
    }
    if (sqlite3_step(m_stmt) != SQLITE_DONE) {
        const ZoltError refused(sqlite3_extended_errcode(m_db.handle()),
                                QString::fromUtf8(sqlite3_errmsg(m_db.handle())));
        sqlite3_reset(m_stmt);
        throw refused;
    }
    sqlite3_reset(m_stmt);
}

}  // namespace zolt::verify
