#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

namespace zolt {
class Database;
}

namespace zolt::bench {

// A code of `width` digits, zero-padded ("05", "701").
QString Code(int value, int width);

// Runs the statement sql once for each of count rows, values(i) bound.
void InsertRows(Database &db, const QString &sql, int count, const std::function<QVariantList(int)> &values);

}  // namespace zolt::bench
