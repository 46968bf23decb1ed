#include "error_messages.h"

#include "common/session.h"
#include "store/batch_insert.h"
#include "store/data_environment.h"

namespace zolt::verify {

QString ErrorMessageText(const QString &line)
{
    QString text = line;
    text.remove(u'\r').remove(u'\n');
    return text.left(ErrorMessageWidth);
}

void StoreErrorMessages(Session &session, const QStringList &lines)
{
    Connection &db = session.de.ZoltDb();
    Recordset &errors = session.de.rsErrorMessage();
    errors.close();
    {
        Transaction transaction(db);
        db.emptyTable(QStringLiteral("ErrorMessage"));
        BatchInsert insert(db.database(), QStringLiteral("ErrorMessage"),
                           {QStringLiteral("ErrorNumber"), QStringLiteral("ErrorMsg")});
        for (qsizetype i = 0; i < lines.size(); ++i) {
            insert.integer(i + 1).text(ErrorMessageText(lines[i]));
            insert.addRow();
        }
        insert.flush();
        transaction.commit();
    }
    errors.open();
}

}  // namespace zolt::verify
