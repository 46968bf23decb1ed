#pragma once

#include "support/test_session.h"
#include "verify/verify_load.h"

#include <QStringList>

namespace zolt::test {

// The rows of a query, each row's values joined by '|'.
inline QStringList TableRows(TestSession &t, const QString &sql)
{
    QStringList rows;
    Statement st = t.de().Zolt().database().prepare(sql);
    while (st.step()) {
        QStringList values;
        for (int c = 0; c < st.columnCount(); ++c)
            values << st.column(c).toString();
        rows << values.join(u'|');
    }
    return rows;
}

// The rows of every table the load fills, each table's rows sorted.
inline QStringList LoadedTables(TestSession &t)
{
    QStringList all;
    for (const char *table : {"VERIFY", "Fol_Mask", "Collection_District", "Jurisdiction", "CD_JUR"}) {
        QStringList rows = TableRows(t, QStringLiteral("SELECT * FROM ") + QString::fromLatin1(table));
        rows.sort();
        all << QString::fromLatin1(table) << rows;
    }
    return all;
}

// The return check's message list, as the load fills it.
struct RecordingList : verify::VerifyMessageList {
    void addLine(const QString &line) override { lines << line; }
    void enablePrintErrors() override { printEnabled = true; }
    QStringList lines;
    bool printEnabled = false;
};

}  // namespace zolt::test
