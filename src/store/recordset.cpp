#include "recordset.h"

#include "common/errors.h"
#include "common/work_aside.h"
#include "connection.h"
#include "packed_rows.h"
#include "rows_ahead.h"
#include "sqlite_db.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <future>

namespace zolt {

// The rows of one source, shared by a recordset and its clones, and the
// cursors over them, which hear of every row added, changed or deleted.
struct RowStore {
    QString table;  // empty when the source is not one table: read-only
    QStringList columns;
    QHash<QString, int> columnIndex;  // upper-case name to column
    PackedRows rows;
    std::vector<qint64> rowids;
    std::vector<bool> deleted;
    // The prepared query whose rows are read on first use; null once read.
    std::unique_ptr<Statement> unread;
    bool withRowId = false;
    std::vector<Recordset *> cursors;

    void readRows();
    qint64 size() const { return rows.size(); }
    int columnOf(const QString &name) const { return columnIndex.value(name.toUpper(), -1); }
    // Every cursor over the rows, even one that goes away while told.
    template <typename Tell>
    void tellCursors(Tell tell)
    {
        const std::vector<Recordset *> all = cursors;
        for (Recordset *cursor : all)
            tell(*cursor);
    }
};

void RowStore::readRows()
{
    if (!unread)
        return;
    // SQLite steps on a thread of its own while the rows stepped to before
    // are packed here: a long list (the folios in order of their numbers)
    // is read in little more than the time SQLite takes.
    const size_t first = withRowId ? 1 : 0;
    const size_t count = size_t(columns.size());
    {
        RowsAhead reading(*unread);
        while (const RowsAhead::Batch *batch = reading.next()) {
            for (qsizetype r = 0; r < batch->rows(); ++r) {
                const Cell *row = batch->row(r);
                rows.append(std::span<const Cell>(row + first, count));
                rowids.push_back(withRowId ? row[0].integer : 0);
                deleted.push_back(false);
            }
        }
    }
    unread.reset();
}

namespace {

const QString RowIdColumn = QStringLiteral("__zolt_rowid");

QString quoted(const QString &identifier)
{
    return u'"' + QString(identifier).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

const QRegularExpression &bareTable()
{
    static const QRegularExpression re(QStringLiteral("^\\s*\"?([A-Za-z_][A-Za-z0-9_]*)\"?\\s*$"));
    return re;
}

// The table behind a source and the SQL that reads it with each row's id.
std::pair<QString, QString> fetchPlan(const QString &source)
{
    static const QRegularExpression selectAll(
        QStringLiteral("^\\s*SELECT\\s+\\*\\s+FROM\\s+\"?([A-Za-z_][A-Za-z0-9_]*)\"?(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QString head = QStringLiteral("SELECT rowid AS %1, * FROM ").arg(RowIdColumn);
    if (const auto m = bareTable().match(source); m.hasMatch())
        return {m.captured(1), head + quoted(m.captured(1))};
    if (const auto m = selectAll.match(source); m.hasMatch())
        return {m.captured(1), head + quoted(m.captured(1)) + m.captured(2)};
    return {QString(), source};
}

[[noreturn]] void noCurrentRecord()
{
    throw ZoltError(ErrorNumber::NoCurrentRecord,
                    QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
}

bool passes(const std::optional<Criteria> &filter, const RowStore &store, qint64 row)
{
    return !filter || filter->matches([&store, row](int column) { return store.rows.value(row, column); });
}

// The store rows from `from` to `to` (excluded) that are not deleted and
// pass the filter, in order.
std::vector<qint64> passingRows(const RowStore &store, const std::optional<Criteria> &filter, qint64 from, qint64 to)
{
    std::vector<qint64> rows;
    for (qint64 r = from; r < to; ++r) {
        if (!store.deleted[size_t(r)] && passes(filter, store, r))
            rows.push_back(r);
    }
    return rows;
}

}  // namespace

Recordset::Recordset(Connection &connection, const QString &name, const QString &source)
    : m_connection(&connection), m_name(name), m_source(source)
{
}

Recordset::~Recordset()
{
    if (m_store)
        std::erase(m_store->cursors, this);
}

void Recordset::requireOpen() const
{
    if (!m_store)
        throw ZoltError(ErrorNumber::RecordsetClosed,
                        QStringLiteral("Operation is not allowed when the object is closed (%1).").arg(m_name));
}

std::shared_ptr<RowStore> Recordset::load()
{
    auto store = std::make_shared<RowStore>();
    const auto [table, sqlText] = fetchPlan(m_source);
    auto st = std::make_unique<Statement>(m_connection->database().prepare(sqlText));
    const int count = st->columnCount();
    store->withRowId = !table.isEmpty() && count > 0 && st->columnName(0) == RowIdColumn;
    if (store->withRowId)
        store->table = table;
    for (int c = store->withRowId ? 1 : 0; c < count; ++c) {
        store->columnIndex.insert(st->columnName(c).toUpper(), int(store->columns.size()));
        store->columns << st->columnName(c);
    }
    store->unread = std::move(st);
    return store;
}

void Recordset::resetTo(std::shared_ptr<RowStore> store, std::optional<Criteria> filter, const QString &filterText,
                        std::optional<std::vector<qint64>> view)
{
    emit aboutToReset();
    if (store != m_store) {
        if (m_store)
            std::erase(m_store->cursors, this);
        if (store)
            store->cursors.push_back(this);
        m_store = std::move(store);
    }
    m_filter = std::move(filter);
    m_filterText = m_filter ? filterText : QString();
    m_listed = view.has_value();
    m_view = m_listed ? std::move(*view) : std::vector<qint64>();
    m_pos = 0;  // the first row once the rows are listed
    m_onDeleted = false;
    emit reset();
}

void Recordset::open()
{
    if (m_store)
        close();
    resetTo(load(), std::nullopt, QString());
}

void Recordset::open(const QString &source)
{
    m_source = source;
    open();
}

void Recordset::openReading(const QString &source, const std::function<void()> &meanwhile)
{
    writePending();
    m_source = source;
    std::shared_ptr<RowStore> store = load();
    WorkAside([&store] { store->readRows(); }, meanwhile);
    m_pending.reset();
    resetTo(std::move(store), std::nullopt, QString());
}

bool Recordset::rowsRead() const
{
    return m_store && !m_store->unread;
}

void Recordset::ensureOpen()
{
    if (!m_store)
        open();
}

void Recordset::close()
{
    m_pending.reset();
    resetTo(nullptr, std::nullopt, QString());
}

void Recordset::requery()
{
    requireOpen();
    writePending();
    std::shared_ptr<RowStore> store = load();
    std::optional<Criteria> filter = m_filter;
    if (filter)
        filter->bind([&store](const QString &n) { return store->columnOf(n); });
    resetTo(std::move(store), std::move(filter), m_filterText);
}

void Recordset::sync() const
{
    if (!m_store || m_listed)
        return;
    m_store->readRows();
    m_view = passingRows(*m_store, m_filter, 0, m_store->size());
    m_listed = true;
}

void Recordset::setPosition(qint64 pos)
{
    m_pos = pos;
    m_onDeleted = false;
    emit currentRowChanged(position());
}

qint64 Recordset::viewIndexOf(qint64 storeRow) const
{
    const auto it = std::lower_bound(m_view.begin(), m_view.end(), storeRow);
    return it != m_view.end() && *it == storeRow ? it - m_view.begin() : -1;
}

void Recordset::moveFirst()
{
    requireOpen();
    writePending();
    sync();
    setPosition(0);
}

void Recordset::moveLast()
{
    requireOpen();
    writePending();
    sync();
    setPosition(m_view.empty() ? 0 : qint64(m_view.size()) - 1);
}

void Recordset::moveNext()
{
    requireOpen();
    writePending();
    sync();
    if (m_onDeleted) {  // the row after the deleted one is already under the cursor
        setPosition(m_pos);
        return;
    }
    if (m_pos >= qint64(m_view.size()))
        noCurrentRecord();
    setPosition(m_pos + 1);
}

void Recordset::movePrevious()
{
    requireOpen();
    writePending();
    sync();
    if (m_pos < 0)
        noCurrentRecord();
    setPosition(std::min(m_pos, qint64(m_view.size())) - 1);
}

void Recordset::move(qint64 n)
{
    requireOpen();
    writePending();
    sync();
    if (n == 0)
        return;
    const qint64 size = qint64(m_view.size());
    const qint64 from = n > 0 && m_onDeleted ? m_pos - 1 : std::min(m_pos, size);
    setPosition(std::clamp(from + n, qint64(-1), size));
}

bool Recordset::bof() const
{
    requireOpen();
    sync();
    return m_pos < 0 || m_view.empty();
}

bool Recordset::eof() const
{
    requireOpen();
    sync();
    return m_view.empty() || (m_pos >= qint64(m_view.size()) && !m_onDeleted);
}

qint64 Recordset::recordCount() const
{
    requireOpen();
    sync();
    return qint64(m_view.size());
}

qint64 Recordset::position() const
{
    if (!m_store)
        return -1;
    sync();
    return m_onDeleted || m_pos < 0 || m_pos >= qint64(m_view.size()) ? -1 : m_pos;
}

qint64 Recordset::currentStoreRow() const
{
    requireOpen();
    const qint64 pos = position();
    if (pos < 0)
        noCurrentRecord();
    return m_view[size_t(pos)];
}

QVariant Recordset::bookmark() const
{
    return QVariant(qlonglong(currentStoreRow()));
}

void Recordset::setBookmark(const QVariant &bookmark)
{
    requireOpen();
    writePending();
    const qint64 row = rowOfBookmark(bookmark);
    if (row < 0)
        throw ZoltError(ErrorNumber::NoCurrentRecord,
                        QStringLiteral("The bookmark does not name a row of %1.").arg(m_name));
    setPosition(row);
}

qint64 Recordset::rowOfBookmark(const QVariant &bookmark) const
{
    if (!m_store)
        return -1;
    sync();
    bool ok = false;
    const qlonglong storeRow = bookmark.toLongLong(&ok);
    return ok ? viewIndexOf(storeRow) : -1;
}

QVariant Recordset::bookmarkOfRow(qint64 row) const
{
    requireOpen();
    sync();
    if (row < 0 || row >= qint64(m_view.size()))
        noCurrentRecord();
    return QVariant(qlonglong(m_view[size_t(row)]));
}

void Recordset::setCurrentRow(qint64 row)
{
    requireOpen();
    writePending();
    sync();
    if (row < 0 || row >= qint64(m_view.size()))
        noCurrentRecord();
    setPosition(row);
}

int Recordset::columnIndex(const QString &name) const
{
    return m_store ? m_store->columnOf(name) : -1;
}

QVariant Recordset::value(qint64 row, int column) const
{
    if (!m_store || column < 0 || column >= m_store->columns.size())
        return QVariant();
    sync();
    if (row < 0 || row >= qint64(m_view.size()))
        return QVariant();
    return m_store->rows.value(m_view[size_t(row)], column);
}

void Recordset::trimmedCells(qint64 row, std::span<Cell> cells, std::span<qsizetype> trailingBlanks) const
{
    requireOpen();
    sync();
    if (row < 0 || row >= qint64(m_view.size()) || qsizetype(cells.size()) > m_store->columns.size()
        || (!trailingBlanks.empty() && trailingBlanks.size() < cells.size()))
        throw ZoltError(ErrorNumber::NoCurrentRecord, QStringLiteral("No row %1 of %2 columns.").arg(row).arg(cells.size()));
    m_store->rows.trimmedCells(m_view[size_t(row)], cells, trailingBlanks);
}

QStringList Recordset::fieldNames() const
{
    requireOpen();
    return m_store->columns;
}

bool Recordset::hasField(const QString &name) const
{
    return columnIndex(name) >= 0;
}

int Recordset::requireColumn(const QString &name) const
{
    requireOpen();
    const int c = columnIndex(name);
    if (c < 0)
        throw ZoltError(ErrorNumber::FieldNotFound,
                        QStringLiteral("Item cannot be found in the collection corresponding to the "
                                       "requested name or ordinal (%1.%2).").arg(m_name, name));
    return c;
}

QVariant Recordset::field(const QString &name) const
{
    const int c = requireColumn(name);
    if (m_pending)
        return m_pending->values[size_t(c)];
    return m_store->rows.value(currentStoreRow(), c);
}

QString Recordset::text(const QString &name) const
{
    const QVariant v = field(name);
    return v.isNull() ? QString() : v.toString();
}

double Recordset::number(const QString &name) const
{
    return field(name).toDouble();
}

void Recordset::setField(const QString &name, const QVariant &value)
{
    const int c = requireColumn(name);
    if (!m_pending) {
        const int columns = int(m_store->columns.size());
        m_pending = Pending{false, m_store->rows.values(currentStoreRow(), columns),
                            std::vector<bool>(size_t(columns), false)};
    }
    m_pending->values[size_t(c)] = value;
    m_pending->changed[size_t(c)] = true;
}

void Recordset::addNew()
{
    requireOpen();
    writePending();
    if (m_store->table.isEmpty())
        throw ZoltError(ErrorNumber::NotUpdatable,
                        QStringLiteral("Current Recordset does not support updating (%1).").arg(m_name));
    const size_t n = size_t(m_store->columns.size());
    m_pending = Pending{true, std::vector<QVariant>(n), std::vector<bool>(n, false)};
}

void Recordset::update()
{
    requireOpen();
    writePending();
}

void Recordset::cancelUpdate()
{
    m_pending.reset();
}

void Recordset::writePending()
{
    if (!m_pending)
        return;
    sync();  // rows not read yet are read before the table changes under them
    Pending pending = std::move(*m_pending);
    m_pending.reset();
    if (m_store->table.isEmpty())
        throw ZoltError(ErrorNumber::NotUpdatable,
                        QStringLiteral("Current Recordset does not support updating (%1).").arg(m_name));

    QStringList names;
    QVariantList values;
    for (size_t c = 0; c < pending.changed.size(); ++c) {
        if (pending.changed[c]) {
            names << quoted(m_store->columns[qsizetype(c)]);
            values << pending.values[c];
        }
    }
    Database &db = m_connection->database();
    const QString table = quoted(m_store->table);
    qint64 rowid = 0;
    qint64 storeRow = -1;
    if (pending.adding) {
        const QString sqlText = names.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table, names.join(u','), QStringList(names.size(), QStringLiteral("?")).join(u','));
        Statement st = db.prepare(sqlText);
        st.bindAll(values);
        st.run();
        rowid = db.lastInsertRowId();
    } else {
        if (names.isEmpty())
            return;
        storeRow = currentStoreRow();
        rowid = m_store->rowids[size_t(storeRow)];
        Statement st = db.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                                           .arg(table, names.join(QStringLiteral(" = ?, "))));
        st.bindAll(values);
        st.bind(int(values.size()) + 1, rowid);
        st.run();
    }

    // Read the row back, so the cursors hold what the database stored.
    Statement back = db.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(table));
    back.bind(1, rowid);
    std::vector<Cell> stored(pending.values.size());
    if (back.step()) {
        for (int c = 0; c < back.columnCount(); ++c) {
            const int mine = columnIndex(back.columnName(c));
            if (mine >= 0)
                stored[size_t(mine)] = back.cell(c);
        }
    }
    RowStore &store = *m_store;
    if (pending.adding) {
        storeRow = store.rows.append(stored);
        store.rowids.push_back(rowid);
        store.deleted.push_back(false);
        store.tellCursors([this, storeRow](Recordset &c) { c.storeRowAdded(storeRow, &c == this); });
    } else {
        store.rows.replace(storeRow, stored);
        store.tellCursors([storeRow](Recordset &c) { c.storeRowChanged(storeRow); });
    }
}

void Recordset::deleteCurrent()
{
    requireOpen();
    if (m_pending && m_pending->adding) {
        m_pending.reset();
        return;
    }
    m_pending.reset();
    const qint64 storeRow = currentStoreRow();
    if (m_store->table.isEmpty())
        throw ZoltError(ErrorNumber::NotUpdatable,
                        QStringLiteral("Current Recordset does not support updating (%1).").arg(m_name));
    Statement st = m_connection->database().prepare(
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_store->table)));
    st.bind(1, m_store->rowids[size_t(storeRow)]);
    st.run();
    m_store->deleted[size_t(storeRow)] = true;
    m_store->tellCursors([storeRow](Recordset &c) { c.storeRowDeleted(storeRow); });
}

// A row added through this cursor joins its view whatever the filter, and
// becomes current; one added through another cursor joins when it passes.
void Recordset::storeRowAdded(qint64 storeRow, bool byMe)
{
    if (!m_listed || (!byMe && !passes(m_filter, *m_store, storeRow)))
        return;
    const qint64 row = qint64(m_view.size());
    emit rowsAboutToBeInserted(row, row);
    m_view.push_back(storeRow);
    emit rowsInserted(row, row);
    if (byMe)
        setPosition(row);
}

void Recordset::storeRowChanged(qint64 storeRow)
{
    const qint64 row = m_listed ? viewIndexOf(storeRow) : -1;
    if (row >= 0)
        emit rowChanged(row);
}

void Recordset::storeRowDeleted(qint64 storeRow)
{
    const qint64 row = m_listed ? viewIndexOf(storeRow) : -1;
    if (row < 0)
        return;
    const qint64 before = position();
    emit rowsAboutToBeRemoved(row, row);
    m_view.erase(m_view.begin() + row);
    if (row < m_pos)
        --m_pos;
    else if (row == m_pos)
        m_onDeleted = true;
    emit rowsRemoved(row, row);
    if (position() != before || row == before)
        emit currentRowChanged(position());
}

std::optional<Criteria> Recordset::parsedFilter(const QString &criteria) const
{
    if (criteria.trimmed().isEmpty())
        return std::nullopt;
    Criteria parsed = Criteria::parse(criteria);
    parsed.bind([this](const QString &n) { return columnIndex(n); });
    return parsed;
}

void Recordset::setFilter(const QString &criteria)
{
    requireOpen();
    writePending();
    resetTo(m_store, parsedFilter(criteria), criteria);
}

void Recordset::setFilterAside(const QString &criteria, const std::function<void()> &meanwhile)
{
    requireOpen();
    writePending();
    std::optional<Criteria> parsed = parsedFilter(criteria);
    // Rows read here: a grid painting meanwhile may list the unread rows.
    m_store->readRows();
    const RowStore &store = *m_store;
    const qint64 half = store.size() / 2;
    std::vector<qint64> first, second;
    WorkAside(
        [&] {
            auto later = std::async(std::launch::async,
                                    [&] { second = passingRows(store, parsed, half, store.size()); });
            first = passingRows(store, parsed, 0, half);
            later.get();
        },
        meanwhile);
    first.insert(first.end(), second.begin(), second.end());
    resetTo(m_store, std::move(parsed), criteria, std::move(first));
}

bool Recordset::find(const QString &criteria, qint64 skip, bool forward)
{
    requireOpen();
    writePending();
    Criteria c = Criteria::parse(criteria);
    c.bind([this](const QString &n) { return columnIndex(n); });
    sync();
    const qint64 size = qint64(m_view.size());
    const int step = forward ? 1 : -1;
    qint64 p = m_pos;
    if (forward && p < 0)
        p = 0;
    if (!forward && p >= size)
        p = size - 1;
    const std::optional<Criteria> wanted = std::move(c);
    for (p += step * skip; p >= 0 && p < size; p += step) {
        if (passes(wanted, *m_store, m_view[size_t(p)])) {
            setPosition(p);
            return true;
        }
    }
    setPosition(forward ? size : -1);
    return false;
}

std::unique_ptr<Recordset> Recordset::clone() const
{
    requireOpen();
    auto copy = std::make_unique<Recordset>(*m_connection, m_name, m_source);
    copy->resetTo(m_store, std::nullopt, QString());
    return copy;
}

QString SourceSql(const QString &source)
{
    if (const auto m = bareTable().match(source); m.hasMatch())
        return QStringLiteral("SELECT * FROM ") + quoted(m.captured(1));
    return source;
}

}  // namespace zolt
