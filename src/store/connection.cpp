#include "connection.h"

#include "common/errors.h"

#include <QRegularExpression>

namespace zolt {
void Connection::setConnectionString(const QString &text)
{
    m_connectionString = text;
}

QString Connection::catalogue() const
{
    static const QRegularExpression re(QStringLiteral("Initial Catalog=([^;]*)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(m_connectionString);
    return m.hasMatch() ? m.captured(1) : QString();
}

Database &Connection::database() const
{
    if (!m_db)
        throw ZoltError(ErrorNumber::RecordsetClosed,
                        QStringLiteral("The connection %1 is not open.").arg(m_name));
    return *m_db;
}

int Connection::transactionDepth() const
{
    return m_db ? m_db->transactionDepth() : 0;
}

void Connection::beginTrans()
{
    Database &db = database();
    int &depth = db.transactionDepth();
    db.exec(depth == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT zolt_%1").arg(depth));
    ++depth;
}

void Connection::commitTrans()
{
    Database &db = database();
    int &depth = db.transactionDepth();
    if (depth == 0)
        return;
    try {
        db.exec(depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE zolt_%1").arg(depth - 1));
    } catch (const ZoltError &) {
        // A commit the database refused may have ended the transaction itself
        // (a full disk rolls back); then nothing is left to nest in.
        if (!db.inTransaction())
            depth = 0;
        throw;
    }
    --depth;
}

void Connection::rollbackTrans()
{
    Database &db = database();
    int &depth = db.transactionDepth();
    if (depth == 0)
        return;
    if (depth == 1 || !db.inTransaction()) {
        depth = 0;
        if (db.inTransaction())
            db.exec(QStringLiteral("ROLLBACK"));
        return;
    }
    db.exec(QStringLiteral("ROLLBACK TO zolt_%1; RELEASE zolt_%1").arg(depth - 1));
    --depth;
}

void Connection::execute(const QString &sqlText)
{
    static const QRegularExpression deleteStar(QStringLiteral("^\\s*DELETE\\s+\\*\\s+FROM\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString text = sqlText;
    text.replace(deleteStar, QStringLiteral("DELETE FROM"));
    database().exec(text);
}

bool Connection::tableHasRows(const QString &table)
{
    Statement st = database().prepare(QStringLiteral("SELECT 1 FROM \"%1\" LIMIT 1").arg(table));
    return st.step();
}

void Connection::emptyTable(const QString &table)
{
    execute(QStringLiteral("DELETE FROM \"%1\"").arg(table));
}

void Connection::emptyTableToRefill(const QString &table)
{
    Statement setting = database().prepare(QStringLiteral("PRAGMA secure_delete"));
    const qint64 zeroing = setting.step() ? setting.column(0).toLongLong() : 0;
    execute(QStringLiteral("PRAGMA secure_delete = FAST"));
    try {
        emptyTable(table);
    } catch (...) {
        execute(QStringLiteral("PRAGMA secure_delete = %1").arg(zeroing));
        throw;
    }
    execute(QStringLiteral("PRAGMA secure_delete = %1").arg(zeroing));
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_connection.rollbackTrans();
        } catch (...) {
        }
    }
}

void Transaction::commit()
{
    m_connection.commitTrans();
    m_done = true;
}

}  // namespace zolt
