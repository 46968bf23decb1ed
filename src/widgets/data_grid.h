#pragma once

#include "grid_column.h"

#include <QTableView>

namespace zolt {

class Recordset;
class RecordsetModel;

// The data grid of every list screen: a table over one recordset, configured
// by its columns. The grid's current row and the recordset's current record
// are the same record: moving in the grid moves the recordset and the
// reverse, through rebinding after a requery, a new source or a new filter.
// An empty recordset shows an empty grid with no current row.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    void setColumns(const QList<GridColumn> &columns);
    // Binds the grid to a recordset; binding it again (rebind) reads its
    // rows and fields anew and shows its current record.
    void bind(Recordset *recordset);
    void rebind();
    Recordset *recordset() const;
    RecordsetModel *recordsetModel() const { return m_model; }

    // The current row of the grid, -1 for none.
    int currentRow() const;

signals:
    // A double-click or Enter on a row: the screen's main action.
    void rowActivated();
    // The current row (or column) changed, by the user or by the recordset.
    void rowColChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyColumnWidths();
    // Shows the recordset's current record as the grid's current row.
    void followRecordset(int row);
    // Makes the grid's current row the recordset's current record.
    void leadRecordset(const QModelIndex &current, const QModelIndex &previous);

    RecordsetModel *m_model;
    bool m_syncing = false;
};

}  // namespace zolt
