#include "bench_rows.h"

#include "store/sqlite_db.h"

namespace zolt::bench {

QString Code(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

void InsertRows(Database &db, const QString &sql, int count, const std::function<QVariantList(int)> &values)
{
    Statement st = db.prepare(sql);
    for (int i = 0; i < count; ++i) {
        st.reset();
        st.bindAll(values(i));
        st.run();
    }
}

}  // namespace zolt::bench
