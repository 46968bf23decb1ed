#pragma once

#include "cell.h"
#include "criteria.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace zolt {

class Connection;
struct RowStore;

// A client-side static cursor over the rows of its source (a table name or a
// SELECT * FROM ... text). Opening prepares the query; its rows are read at the
// first use that needs them (so a recordset that is opened and filtered but
// never read costs nothing), and from then on they are a snapshot, kept
// compactly. Additions, changes and deletions are written through to the
// database at once. Clones are further cursors over the same rows: a row
// added, changed or deleted through one is seen by the others.
//
// The cursor's rows are its view: the rows that passed its filter, in the
// source's order, rows deleted through any cursor dropped, rows added
// through it at the end. A grid reads the view by row index and hears of
// every change through the signals.
//
// Misuse (a closed recordset, no current row, an unknown field, criteria that
// cannot be parsed) throws ZoltError with its own error number.
class Recordset : public QObject {
    Q_OBJECT
public:
    enum class State { Closed = 0, Open = 1 };

    Recordset(Connection &connection, const QString &name, const QString &source);
    ~Recordset() override;
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    const QString &name() const { return m_name; }
    Connection &connection() const { return *m_connection; }

    // Source text: a table name or SQL. Changing it takes effect at the next open.
    QString source() const { return m_source; }
    void setSource(const QString &source) { m_source = source; }

    void open();
    void open(const QString &source);
    // Opens the recordset on a source with its rows read at once, on a
    // thread of their own, while `meanwhile` is called on this thread every
    // few milliseconds (a screen lets its window paint): until they are in,
    // the rows shown before stay as they were. `meanwhile` must not use this
    // recordset or start another reading.
    void openReading(const QString &source, const std::function<void()> &meanwhile);
    void close();
    void requery();
    State state() const { return m_store ? State::Open : State::Closed; }
    bool isOpen() const { return m_store != nullptr; }
    // The rows have been read from the database (not only prepared).
    bool rowsRead() const;
    // Opens the recordset when it is closed.
    void ensureOpen();

    // Position. BOF is before the first row, EOF after the last; a move past
    // either end stops there. After the current row was deleted the cursor
    // stays on it (no current row) until the next move.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Moves by n rows from the current one; move(0) writes a pending change.
    void move(qint64 n);
    bool bof() const;
    bool eof() const;
    qint64 recordCount() const;
    // Row index of the current row in the view, -1 when there is none.
    qint64 position() const;

    // Bookmarks stay valid for this recordset and its clones.
    QVariant bookmark() const;
    void setBookmark(const QVariant &bookmark);

    // Fields of the current row, by name (any case).
    QStringList fieldNames() const;
    bool hasField(const QString &name) const;
    QVariant field(const QString &name) const;
    QString text(const QString &name) const;    // null as ""
    double number(const QString &name) const;   // null or non-number as 0
    // Changes a field of the current row, or of the row being added. The
    // change is written by update() or by any move.
    void setField(const QString &name, const QVariant &value);

    void addNew();
    void update();
    void cancelUpdate();
    bool editPending() const { return m_pending.has_value(); }
    // Deletes the current row; the position stays on it until the next move.
    void deleteCurrent();

    // Filter by criteria text; the empty text clears it. The cursor goes to
    // the first row that passes.
    void setFilter(const QString &criteria);
    void clearFilter() { setFilter(QString()); }
    // The same, the rows that pass found on threads of their own while
    // `meanwhile` is called on this thread every few milliseconds (a screen
    // lets its window paint): until they are found, the view stays as it
    // was. `meanwhile` must not use this recordset.
    void setFilterAside(const QString &criteria, const std::function<void()> &meanwhile);
    QString filter() const { return m_filterText; }

    // Searches from the current row (after skipping `skip` rows) for the first
    // row that meets the criteria; answers whether one was found. Not found
    // leaves the cursor at EOF (forward) or BOF (backward).
    bool find(const QString &criteria, qint64 skip = 0, bool forward = true);

    // A new cursor over the same rows, unfiltered, on its first row.
    std::unique_ptr<Recordset> clone() const;

    // The view by row index, for grids: rows from 0 to recordCount() - 1.
    // Columns are resolved once by name (-1 for none) and then read by index.
    int columnIndex(const QString &name) const;
    QVariant value(qint64 row, int column) const;
    // The first cells.size() columns of a row of the view, without a QVariant
    // for each: texts as their UTF-8 bytes without trailing blanks, valid
    // until the rows change. trailingBlanks, when given (as long as cells),
    // receives how many blanks each text had after them.
    void trimmedCells(qint64 row, std::span<Cell> cells, std::span<qsizetype> trailingBlanks = {}) const;
    // The row of a bookmark in the view, -1 when the view does not hold it.
    qint64 rowOfBookmark(const QVariant &bookmark) const;
    QVariant bookmarkOfRow(qint64 row) const;
    // Makes a row of the view the current row (writing a pending change first).
    void setCurrentRow(qint64 row);

signals:
    // Rows of the view about to come or go, and gone or come; a row changed;
    // the whole view about to be read anew, and read anew (open, close,
    // requery, filter). Rows are view indexes.
    void rowsAboutToBeInserted(qint64 first, qint64 last);
    void rowsInserted(qint64 first, qint64 last);
    void rowsAboutToBeRemoved(qint64 first, qint64 last);
    void rowsRemoved(qint64 first, qint64 last);
    void rowChanged(qint64 row);
    void aboutToReset();
    void reset();
    // The current row moved: its view index, or -1 for none.
    void currentRowChanged(qint64 row);

private:
    struct Pending {
        bool adding = false;
        std::vector<QVariant> values;
        std::vector<bool> changed;
    };

    void requireOpen() const;
    std::optional<Criteria> parsedFilter(const QString &criteria) const;
    int requireColumn(const QString &name) const;
    qint64 currentStoreRow() const;  // throws without a current row
    void sync() const;               // reads the rows and lists the view on first use
    // Reads the rows anew (or drops them, store null), the cursor on the
    // first row once they are listed; a view given is the rows listed.
    void resetTo(std::shared_ptr<RowStore> store, std::optional<Criteria> filter, const QString &filterText,
                 std::optional<std::vector<qint64>> view = std::nullopt);
    void setPosition(qint64 pos);
    qint64 viewIndexOf(qint64 storeRow) const;  // -1 when not in the view
    void writePending();
    std::shared_ptr<RowStore> load();

    // What the rows' store tells every cursor over it.
    void storeRowAdded(qint64 storeRow, bool byMe);
    void storeRowChanged(qint64 storeRow);
    void storeRowDeleted(qint64 storeRow);

    Connection *m_connection;
    QString m_name;
    QString m_source;
    std::shared_ptr<RowStore> m_store;
    QString m_filterText;
    std::optional<Criteria> m_filter;
    mutable std::vector<qint64> m_view;  // store rows, ascending
    mutable bool m_listed = false;       // m_view holds the view
    mutable qint64 m_pos = 0;            // view index; -1 BOF, size() EOF
    bool m_onDeleted = false;            // the current row was deleted; m_pos is the row after it
    std::optional<Pending> m_pending;
};

// The SQL that reads the rows a recordset source names: a bare table name
// reads the whole table, SQL text is itself.
QString SourceSql(const QString &source);

}  // namespace zolt
