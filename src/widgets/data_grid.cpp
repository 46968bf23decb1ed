#include "data_grid.h"

#include "recordset_model.h"
#include "store/recordset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace zolt {

DataGrid::DataGrid(QWidget *parent) : QTableView(parent), m_model(new RecordsetModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the screen's next control; the arrows move
    // inside it.
    setTabKeyNavigation(false);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    connect(m_model, &RecordsetModel::currentRowChanged, this, &DataGrid::followRecordset);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        followRecordset(recordset() ? int(recordset()->position()) : -1);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DataGrid::leadRecordset);
    // Rows coming or going move the view's current row on their own; the
    // recordset keeps its position (after a delete, no current row until
    // the screen moves it), and the grid follows it once they are done.
    connect(m_model, &RecordsetModel::rowsSettled, this, [this] {
        followRecordset(recordset() ? int(recordset()->position()) : -1);
    });
    // A double-click also counts as an activation in Qt, and some styles
    // activate on a single click: the double-click and Enter are taken
    // apart, so that one gesture opens one screen.
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            emit rowActivated();
    });
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && currentIndex().isValid()) {
        emit rowActivated();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
    m_model->setColumns(columns);
    applyColumnWidths();
}

// A column is as wide as its characters (digits, as wide as capitals in
// most fonts) and never narrower than its heading.
void DataGrid::applyColumnWidths()
{
    const QFontMetrics cells = fontMetrics();
    const QFontMetrics heading = horizontalHeader()->fontMetrics();
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 10;
    for (int c = 0; c < m_model->columns().size(); ++c) {
        const GridColumn &column = m_model->columns().at(c);
        const int text = cells.horizontalAdvance(QString(column.widthInChars, u'0'));
        setColumnWidth(c, std::max(text, heading.horizontalAdvance(column.caption)) + padding);
    }
}

void DataGrid::bind(Recordset *recordset)
{
    m_model->bind(recordset);
    followRecordset(recordset && recordset->isOpen() ? int(recordset->position()) : -1);
}

void DataGrid::rebind()
{
    bind(recordset());
}

Recordset *DataGrid::recordset() const
{
    return m_model->recordset();
}

int DataGrid::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void DataGrid::followRecordset(int row)
{
    if (m_syncing)
        return;
    QScopedValueRollback<bool> guard(m_syncing, true);
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex index = m_model->index(row, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    emit rowColChange();
}

void DataGrid::leadRecordset(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_syncing || m_model->changingRows())
        return;
    Recordset *rs = recordset();
    bool refused = false;
    if (current.isValid() && rs && rs->isOpen() && current.row() != rs->position()) {
        QScopedValueRollback<bool> guard(m_syncing, true);
        try {
            rs->setCurrentRow(current.row());
        } catch (const std::exception &e) {
            // The record could not be left (its pending change was refused).
            qWarning("%s: %s", qUtf8Printable(rs->name()), e.what());
            refused = true;
        }
    }
    if (refused)
        followRecordset(int(rs->position()));  // the grid goes back to where the recordset is
    else if (current.row() != previous.row() || current.column() != previous.column())
        emit rowColChange();
}

}  // namespace zolt
