#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>

namespace zolt {

// One column of a data grid: what it shows and how.
struct GridColumn {
    enum class Format {
        None,      // the stored value as text
        Standard,  // 1,234.50
        Currency,  // $1,234.50
        Text       // the screen's displayText gives the text
    };

    QString caption;
    QString field;      // the recordset field it shows
    int widthInChars = 10;
    Format format = Format::None;
    // Stored value to shown text ("A" to "Add"); values not listed show as stored.
    QHash<QString, QString> translation;
    // For Format::Text: the text of a value, given the row's bookmark. A
    // value it cannot format (it throws) shows as stored.
    std::function<QString(const QVariant &value, const QVariant &bookmark)> displayText;

    // The text a stored value shows as in this column.
    QString shown(const QVariant &value, const std::function<QVariant()> &bookmark) const;
};

}  // namespace zolt
