#include "recordset.h"

#include "common/errors.h"
#include "connection.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace zolt {

struct RowStore {
    struct Row {
        qint64 rowid = 0;
        std::vector<QVariant> values;
        bool deleted = false;
    };
    QString table;  // empty when the source is not one table: read-only
    QStringList columns;
    QHash<QString, int> columnIndex;  // upper-case name to column
    std::vector<Row> rows;
    quint64 deletions = 0;
    // The prepared query whose rows are read on first use; null once read.
    std::unique_ptr<sql::Statement> unread;
    bool withRowId = false;

    void readRows();
};

void RowStore::readRows()
{
    if (!unread)
        return;
    sql::Statement &st = *unread;
    const int count = st.columnCount();
    const int first = withRowId ? 1 : 0;
    std::vector<QVariant> lastValue(static_cast<size_t>(count));
    std::vector<QByteArray> lastBytes(static_cast<size_t>(count));
    while (st.step()) {
        Row row;
        row.rowid = withRowId ? st.column(0).toLongLong() : 0;
        row.values.reserve(size_t(count - first));
        for (int c = first; c < count; ++c)
            row.values.push_back(st.column(c, lastValue[size_t(c)], lastBytes[size_t(c)]));
        rows.push_back(std::move(row));
    }
    unread.reset();
}

namespace {

const QString RowIdColumn = QStringLiteral("__zolt_rowid");

QString quoted(const QString &identifier)
{
    return u'"' + QString(identifier).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The table behind a source and the SQL that reads it with each row's id.
std::pair<QString, QString> fetchPlan(const QString &source)
{
    static const QRegularExpression bareTable(QStringLiteral("^\\s*\"?([A-Za-z_][A-Za-z0-9_]*)\"?\\s*$"));
    static const QRegularExpression selectAll(
        QStringLiteral("^\\s*SELECT\\s+\\*\\s+FROM\\s+\"?([A-Za-z_][A-Za-z0-9_]*)\"?(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QString head = QStringLiteral("SELECT rowid AS %1, * FROM ").arg(RowIdColumn);
    if (const auto m = bareTable.match(source); m.hasMatch())
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

}  // namespace

Recordset::Recordset(Connection &connection, const QString &name, const QString &source)
    : m_connection(&connection), m_name(name), m_source(source)
{
}

Recordset::~Recordset() = default;

void Recordset::requireOpen() const
{
    if (!m_store)
        throw ZoltError(ErrorNumber::RecordsetClosed,
                        QStringLiteral("Operation is not allowed when the object is closed (%1).").arg(m_name));
}

void Recordset::load()
{
    auto store = std::make_shared<RowStore>();
    const auto [table, sqlText] = fetchPlan(m_source);
    auto st = std::make_unique<sql::Statement>(m_connection->database().prepare(sqlText));
    const int count = st->columnCount();
    store->withRowId = !table.isEmpty() && count > 0 && st->columnName(0) == RowIdColumn;
    if (store->withRowId)
        store->table = table;
    for (int c = store->withRowId ? 1 : 0; c < count; ++c) {
        store->columnIndex.insert(st->columnName(c).toUpper(), int(store->columns.size()));
        store->columns << st->columnName(c);
    }
    store->unread = std::move(st);
    m_store = std::move(store);
}

void Recordset::open()
{
    if (m_store)
        close();
    load();
    m_filter.reset();
    m_filterText.clear();
    rebuildView();
}

void Recordset::open(const QString &source)
{
    m_source = source;
    open();
}

void Recordset::ensureOpen()
{
    if (!m_store)
        open();
}

void Recordset::close()
{
    m_pending.reset();
    m_store.reset();
    m_filter.reset();
    m_filterText.clear();
    m_view.clear();
    m_seenRows = 0;
    m_liveCount = 0;
    m_pos = 0;
    m_firstPending = false;
}

void Recordset::requery()
{
    requireOpen();
    writePending();
    load();
    if (m_filter)
        m_filter->bind([this](const QString &n) { return columnOf(n); });
    rebuildView();
}

void Recordset::rebuildView()
{
    m_view.clear();
    m_seenRows = 0;
    m_liveCount = 0;
    m_seenDeletions = m_store ? m_store->deletions : 0;
    m_firstPending = true;
}

void Recordset::sync() const
{
    if (!m_store)
        return;
    m_store->readRows();
    const auto &rows = m_store->rows;
    for (size_t r = m_seenRows; r < rows.size(); ++r) {
        if (!rows[r].deleted && (!m_filter || m_filter->matches(rows[r].values))) {
            m_view.push_back(r);
            ++m_liveCount;
        }
    }
    m_seenRows = rows.size();
    if (m_seenDeletions != m_store->deletions) {
        m_liveCount = std::count_if(m_view.begin(), m_view.end(),
                                    [&rows](size_t r) { return !rows[r].deleted; });
        m_seenDeletions = m_store->deletions;
    }
    if (m_firstPending) {
        m_firstPending = false;
        m_pos = nextVisible(0, 1);
    }
}

bool Recordset::visible(qint64 pos) const
{
    return pos >= 0 && pos < qint64(m_view.size()) && !m_store->rows[m_view[size_t(pos)]].deleted;
}

qint64 Recordset::nextVisible(qint64 from, int step) const
{
    for (qint64 p = from; p >= 0 && p < qint64(m_view.size()); p += step) {
        if (visible(p))
            return p;
    }
    return step > 0 ? qint64(m_view.size()) : -1;
}

void Recordset::moveFirst()
{
    requireOpen();
    writePending();
    sync();
    m_pos = nextVisible(0, 1);
}

void Recordset::moveLast()
{
    requireOpen();
    writePending();
    sync();
    m_pos = m_liveCount ? nextVisible(qint64(m_view.size()) - 1, -1) : qint64(m_view.size());
}

void Recordset::moveNext()
{
    requireOpen();
    writePending();
    sync();
    if (m_pos >= qint64(m_view.size()))
        noCurrentRecord();
    m_pos = nextVisible(m_pos + 1, 1);
}

void Recordset::movePrevious()
{
    requireOpen();
    writePending();
    sync();
    if (m_pos < 0)
        noCurrentRecord();
    m_pos = nextVisible(std::min(m_pos, qint64(m_view.size())) - 1, -1);
}

void Recordset::move(qint64 n)
{
    requireOpen();
    writePending();
    sync();
    for (; n > 0 && m_pos < qint64(m_view.size()); --n)
        m_pos = nextVisible(m_pos + 1, 1);
    for (; n < 0 && m_pos >= 0; ++n)
        m_pos = nextVisible(std::min(m_pos, qint64(m_view.size())) - 1, -1);
}

bool Recordset::bof() const
{
    requireOpen();
    sync();
    return m_pos < 0 || m_liveCount == 0;
}

bool Recordset::eof() const
{
    requireOpen();
    sync();
    return m_pos >= qint64(m_view.size()) || m_liveCount == 0;
}

qint64 Recordset::recordCount() const
{
    requireOpen();
    sync();
    return m_liveCount;
}

qint64 Recordset::position() const
{
    requireOpen();
    sync();
    if (!visible(m_pos))
        return -1;
    qint64 n = 0;
    for (qint64 p = 0; p < m_pos; ++p)
        n += visible(p) ? 1 : 0;
    return n;
}

size_t Recordset::currentRow() const
{
    requireOpen();
    sync();
    if (!visible(m_pos))
        noCurrentRecord();
    return m_view[size_t(m_pos)];
}

QVariant Recordset::bookmark() const
{
    return QVariant(qlonglong(currentRow()));
}

void Recordset::setBookmark(const QVariant &bookmark)
{
    requireOpen();
    writePending();
    sync();
    bool ok = false;
    const qlonglong row = bookmark.toLongLong(&ok);
    const auto it = std::lower_bound(m_view.begin(), m_view.end(), size_t(row));
    if (!ok || row < 0 || it == m_view.end() || *it != size_t(row) || m_store->rows[size_t(row)].deleted)
        throw ZoltError(ErrorNumber::NoCurrentRecord,
                        QStringLiteral("The bookmark does not name a row of %1.").arg(m_name));
    m_pos = it - m_view.begin();
}

QStringList Recordset::fieldNames() const
{
    requireOpen();
    return m_store->columns;
}

int Recordset::columnOf(const QString &name) const
{
    return m_store ? m_store->columnIndex.value(name.toUpper(), -1) : -1;
}

bool Recordset::hasField(const QString &name) const
{
    return columnOf(name) >= 0;
}

int Recordset::requireColumn(const QString &name) const
{
    requireOpen();
    const int c = columnOf(name);
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
    return m_store->rows[currentRow()].values[size_t(c)];
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
        const size_t row = currentRow();
        m_pending = Pending{false, m_store->rows[row].values,
                            std::vector<bool>(m_store->columns.size(), false)};
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
            names << quoted(m_store->columns[int(c)]);
            values << pending.values[c];
        }
    }
    sql::Database &db = m_connection->database();
    const QString table = quoted(m_store->table);
    qint64 rowid = 0;
    if (pending.adding) {
        const QString sqlText = names.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table, names.join(u','), QStringList(names.size(), QStringLiteral("?")).join(u','));
        sql::Statement st = db.prepare(sqlText);
        st.bindAll(values);
        st.run();
        rowid = db.lastInsertRowId();
    } else {
        if (names.isEmpty())
            return;
        const size_t row = currentRow();
        rowid = m_store->rows[row].rowid;
        sql::Statement st = db.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                                           .arg(table, names.join(QStringLiteral(" = ?, "))));
        st.bindAll(values);
        st.bind(int(values.size()) + 1, rowid);
        st.run();
    }

    // Read the row back, so the cursor holds what the database stored.
    sql::Statement back = db.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(table));
    back.bind(1, rowid);
    std::vector<QVariant> stored(pending.values.size());
    if (back.step()) {
        for (int c = 0; c < back.columnCount(); ++c) {
            const int mine = columnOf(back.columnName(c));
            if (mine >= 0)
                stored[size_t(mine)] = back.column(c);
        }
    }
    if (pending.adding) {
        sync();
        m_store->rows.push_back(RowStore::Row{rowid, std::move(stored), false});
        m_seenRows = m_store->rows.size();
        m_view.push_back(m_store->rows.size() - 1);  // the new row is current, filter or not
        ++m_liveCount;
        m_pos = qint64(m_view.size()) - 1;
    } else {
        m_store->rows[currentRow()].values = std::move(stored);
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
    const size_t row = currentRow();
    if (m_store->table.isEmpty())
        throw ZoltError(ErrorNumber::NotUpdatable,
                        QStringLiteral("Current Recordset does not support updating (%1).").arg(m_name));
    sql::Statement st = m_connection->database().prepare(
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_store->table)));
    st.bind(1, m_store->rows[row].rowid);
    st.run();
    m_store->rows[row].deleted = true;
    ++m_store->deletions;
    sync();
}

void Recordset::setFilter(const QString &criteria)
{
    requireOpen();
    writePending();
    std::optional<Criteria> parsed;
    if (!criteria.trimmed().isEmpty()) {
        parsed = Criteria::parse(criteria);
        parsed->bind([this](const QString &n) { return columnOf(n); });
    }
    m_filter = std::move(parsed);
    m_filterText = m_filter ? criteria : QString();
    rebuildView();
}

bool Recordset::find(const QString &criteria, qint64 skip, bool forward)
{
    requireOpen();
    writePending();
    Criteria c = Criteria::parse(criteria);
    c.bind([this](const QString &n) { return columnOf(n); });
    sync();
    const qint64 size = qint64(m_view.size());
    const int step = forward ? 1 : -1;
    qint64 p = m_pos;
    if (forward && p < 0)
        p = 0;
    if (!forward && p >= size)
        p = size - 1;
    for (p += step * skip; p >= 0 && p < size; p += step) {
        if (visible(p) && c.matches(m_store->rows[m_view[size_t(p)]].values)) {
            m_pos = p;
            return true;
        }
    }
    m_pos = forward ? size : -1;
    return false;
}

std::unique_ptr<Recordset> Recordset::clone() const
{
    requireOpen();
    auto copy = std::make_unique<Recordset>(*m_connection, m_name, m_source);
    copy->m_store = m_store;
    copy->rebuildView();
    return copy;
}

}  // namespace zolt
