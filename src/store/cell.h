#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QVariant>

namespace zolt {

// One value as the database hands it over, its text not copied.
struct Cell {
    enum class Kind : quint8 { Null, Integer, Real, Text, Blob };
    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    QByteArrayView bytes;  // UTF-8 text or blob bytes

    // A QVariant as a cell; `buffer` keeps the bytes of a text alive.
    static Cell of(const QVariant &value, QByteArray &buffer);
    // The cell as a QVariant, as a statement's column answers it: a blob
    // reads as text.
    QVariant value() const;
};

}  // namespace zolt
