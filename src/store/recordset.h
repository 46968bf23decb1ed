#pragma once

#include "criteria.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

namespace zolt {

class Connection;
struct RowStore;

// A client-side static cursor over the rows of its source (a table name or a
// SELECT * FROM ... text). Opening prepares the query; its rows are read at the
// first use that needs them (so a recordset that is opened and filtered but
// never read costs nothing), and from then on they are a snapshot. Additions,
// changes and deletions are written through to the database at once. Clones are further
// cursors over the same rows: a row added through one is seen by the others.
// Misuse (a closed recordset, no current row, an unknown field, criteria that
// cannot be parsed) throws ZoltError with its own error number.
class Recordset {
public:
    enum class State { Closed = 0, Open = 1 };

    Recordset(Connection &connection, const QString &name, const QString &source);
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    const QString &name() const { return m_name; }
    Connection &connection() const { return *m_connection; }

    // Source text: a table name or SQL. Changing it takes effect at the next open.
    QString source() const { return m_source; }
    void setSource(const QString &source) { m_source = source; }

    void open();
    void open(const QString &source);
    void close();
    void requery();
    State state() const { return m_store ? State::Open : State::Closed; }
    bool isOpen() const { return m_store != nullptr; }
    // Opens the recordset when it is closed.
    void ensureOpen();

    // Position. BOF is before the first row, EOF after the last; a move past
    // either end stops there.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Moves by n rows from the current one; move(0) writes a pending change.
    void move(qint64 n);
    bool bof() const;
    bool eof() const;
    qint64 recordCount() const;
    // Position of the current row from 0, -1 at BOF or EOF.
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
    QString filter() const { return m_filterText; }

    // Searches from the current row (after skipping `skip` rows) for the first
    // row that meets the criteria; answers whether one was found. Not found
    // leaves the cursor at EOF (forward) or BOF (backward).
    bool find(const QString &criteria, qint64 skip = 0, bool forward = true);

    // A new cursor over the same rows, unfiltered, on its first row.
    std::unique_ptr<Recordset> clone() const;

private:
    struct Pending {
        bool adding = false;
        std::vector<QVariant> values;
        std::vector<bool> changed;
    };

    void requireOpen() const;
    int columnOf(const QString &name) const;
    int requireColumn(const QString &name) const;
    size_t currentRow() const;  // store row index; throws without a current row
    void sync() const;          // takes in rows added or deleted through other cursors
    void rebuildView();  // lists the rows anew on next use, cursor on the first
    bool visible(qint64 pos) const;
    qint64 nextVisible(qint64 from, int step) const;
    void writePending();
    void load();

    Connection *m_connection;
    QString m_name;
    QString m_source;
    std::shared_ptr<RowStore> m_store;
    QString m_filterText;
    std::optional<Criteria> m_filter;
    // Store rows that passed the filter, in store order (so sorted). Rows
    // deleted later stay listed and are skipped.
    mutable std::vector<size_t> m_view;
    mutable size_t m_seenRows = 0;        // store rows already considered for m_view
    mutable quint64 m_seenDeletions = 0;
    mutable qint64 m_liveCount = 0;       // listed rows not deleted
    mutable qint64 m_pos = 0;             // index into m_view; -1 BOF, size() EOF
    // The cursor goes to the first row that passes once the rows are listed
    // (after open, requery, a new filter, or on a clone).
    mutable bool m_firstPending = false;
    std::optional<Pending> m_pending;
};

}  // namespace zolt
