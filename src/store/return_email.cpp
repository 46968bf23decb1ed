#include "return_email.h"

#include "data_environment.h"
#include "sqlite_db.h"

#include <QRegularExpression>

namespace zolt {

QString ReturnEmail(DataEnvironment &de)
{
    Statement st = de.Zolt().database().prepare(
        QStringLiteral("SELECT ReturnEmail FROM ZoltSettings ORDER BY rowid LIMIT 1"));
    return st.step() ? st.column(0).toString() : QString();
}

bool LooksLikeEmailAddress(const QString &text)
{
    static const QRegularExpression address(
        QStringLiteral(R"(^[^\s@]+@(?:[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?\.)+[A-Za-z]{2,}$)"));
    return address.match(text).hasMatch();
}

void SetReturnEmail(DataEnvironment &de, const QString &address)
{
    Database &db = de.Zolt().database();
    Transaction transaction(de.Zolt());
    const bool hasRow = db.prepare(QStringLiteral("SELECT 1 FROM ZoltSettings LIMIT 1")).step();
    Statement st = db.prepare(
        hasRow ? QStringLiteral("UPDATE ZoltSettings SET ReturnEmail = ? WHERE rowid = (SELECT MIN(rowid) FROM ZoltSettings)")
               : QStringLiteral("INSERT INTO ZoltSettings (ReturnEmail) VALUES (?)"));
    st.bind(1, address.trimmed());
    st.run();
    transaction.commit();
}

}  // namespace zolt
