#pragma once

#include "support/test_session.h"
#include "verify/verify_load.h"

#include <QStringList>

namespace zolt::test {

// The rows of a query, each row's values joined by '|'.
inline QStringList TableRows(TestSession &t, const QString &sql)
{
    QStringList rows;
    sql::Statement st = t.de().Zolt().database().prepare(sql);
    while (st.step()) {
        QStringList values;
        for (int c = 0; c < st.columnCount(); ++c)
            values << st.column(c).toString();
        rows << values.join(u'|');
    }
    return rows;
}

// Every table the load fills, in a stable order.
inline QStringList LoadedTables(TestSession &t)
{
    QStringList all;
    for (const char *sql : {"SELECT * FROM VERIFY ORDER BY rowid", "SELECT * FROM Fol_Mask ORDER BY rowid",
                            "SELECT * FROM Collection_District ORDER BY rowid",
                            "SELECT * FROM Jurisdiction ORDER BY rowid", "SELECT * FROM CD_JUR ORDER BY rowid"})
        all << QString::fromLatin1(sql) << TableRows(t, QString::fromLatin1(sql));
    return all;
}

// The return check's message list, as the load fills it.
struct RecordingList : VerifyMessageList {
    void addLine(const QString &line) override { lines << line; }
    void enablePrintErrors() override { printEnabled = true; }
    QStringList lines;
    bool printEnabled = false;
};

}  // namespace zolt::test
