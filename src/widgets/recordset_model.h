#pragma once

#include "grid_column.h"

#include "store/recordset.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <vector>

namespace zolt {

// The rows of a recordset's view as a table model: one row per row of the
// view, one column per grid column. Values are read when shown, so a list
// of any length opens at once. The model follows every change the recordset
// reports (rows added, changed, removed, read anew) and tells of its current
// row moving.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetModel(QObject *parent = nullptr);

    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }

    // Binds the model to a recordset (or to none). Rebinding the same one
    // reads its rows and fields anew.
    void bind(Recordset *recordset);
    Recordset *recordset() const { return m_recordset; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Rows of the recordset are coming or going: the views' own moves of
    // their current row mean nothing to the recordset meanwhile.
    bool changingRows() const { return m_changingRows; }

signals:
    // The recordset's current row moved (-1: none).
    void currentRowChanged(int row);
    // The rows that came or went are in place.
    void rowsSettled();

private:
    void resolveFields();
    void connectRecordset();

    QList<GridColumn> m_columns;
    std::vector<int> m_fields;  // the recordset column of each grid column
    QPointer<Recordset> m_recordset;
    QList<QMetaObject::Connection> m_connections;
    bool m_changingRows = false;
};

}  // namespace zolt
