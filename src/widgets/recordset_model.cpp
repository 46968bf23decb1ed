#include "recordset_model.h"

#include "store/recordset.h"

namespace zolt {

RecordsetModel::RecordsetModel(QObject *parent) : QAbstractTableModel(parent) {}

void RecordsetModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    resolveFields();
    endResetModel();
}

void RecordsetModel::bind(Recordset *recordset)
{
    beginResetModel();
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_recordset = recordset;
    connectRecordset();
    resolveFields();
    endResetModel();
}

void RecordsetModel::resolveFields()
{
    m_fields.clear();
    for (const GridColumn &column : std::as_const(m_columns))
        m_fields.push_back(m_recordset ? m_recordset->columnIndex(column.field) : -1);
}

void RecordsetModel::connectRecordset()
{
    if (!m_recordset)
        return;
    Recordset *rs = m_recordset;
    auto to = [this, rs](auto signal, auto slot) { m_connections << connect(rs, signal, this, slot); };
    // Rows coming or going, with the flag that says so around them.
    auto changing = [this](void (RecordsetModel::*begin)(const QModelIndex &, int, int)) {
        return [this, begin](qint64 first, qint64 last) {
            m_changingRows = true;
            (this->*begin)({}, int(first), int(last));
        };
    };
    auto settled = [this](void (RecordsetModel::*end)()) {
        return [this, end] {
            (this->*end)();
            m_changingRows = false;
            emit rowsSettled();
        };
    };
    to(&Recordset::rowsAboutToBeInserted, changing(&RecordsetModel::beginInsertRows));
    to(&Recordset::rowsInserted, settled(&RecordsetModel::endInsertRows));
    to(&Recordset::rowsAboutToBeRemoved, changing(&RecordsetModel::beginRemoveRows));
    to(&Recordset::rowsRemoved, settled(&RecordsetModel::endRemoveRows));
    to(&Recordset::rowChanged, [this](qint64 row) {
        emit dataChanged(index(int(row), 0), index(int(row), int(m_columns.size()) - 1));
    });
    to(&Recordset::aboutToReset, [this] { beginResetModel(); });
    to(&Recordset::reset, [this] {
        resolveFields();
        endResetModel();
    });
    to(&Recordset::currentRowChanged, [this](qint64 row) { emit currentRowChanged(int(row)); });
}

int RecordsetModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_recordset || !m_recordset->isOpen())
        return 0;
    return int(m_recordset->recordCount());
}

int RecordsetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RecordsetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_recordset || index.column() >= int(m_columns.size()))
        return {};
    const GridColumn &column = m_columns.at(index.column());
    if (role == Qt::TextAlignmentRole) {
        const bool number = column.format == GridColumn::Format::Standard
                            || column.format == GridColumn::Format::Currency;
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const qint64 row = index.row();
    const QVariant value = m_recordset->value(row, m_fields[size_t(index.column())]);
    return column.shown(value, [this, row] { return m_recordset->bookmarkOfRow(row); });
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= int(m_columns.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_columns.at(section).caption;
}

}  // namespace zolt
