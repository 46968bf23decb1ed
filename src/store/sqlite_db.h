#pragma once

#include "cell.h"
#include "common/errors.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace zolt {

class Database;
class LogCheckpointer;

// One prepared statement. Failures throw ZoltError with SQLite's extended
// result code as the number.
class Statement {
public:
    Statement(Database &db, const QString &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&) = delete;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int index, const QVariant &value);  // index from 1
    // A text, not copied: it must stay as it is until the statement is reset.
    void bindText(int index, QStringView text);
    // The same of UTF-8 text, which SQLite stores without converting it.
    void bindUtf8(int index, QByteArrayView utf8);
    void bindAll(const QVariantList &values);
    bool step();                                  // true while a row is ready
    void reset();
    void run();                                   // step to the end

    int columnCount() const;
    QString columnName(int column) const;
    QVariant column(int column) const;            // NULL gives a null QVariant

    // The value as SQLite holds it, valid until the next step.
    Cell cell(int column) const;

private:
    Database *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

class Database;

// The page cache of a connection set to another size for a scope; the
// previous size comes back at its end. A connection's own is large enough
// for a whole workbook's or file's rows; work that writes its pages once, in
// order, does with less, and keeps the memory.
class PageCacheSize {
public:
    PageCacheSize(Database &db, int mebibytes);
    ~PageCacheSize();
    PageCacheSize(const PageCacheSize &) = delete;
    PageCacheSize &operator=(const PageCacheSize &) = delete;

private:
    Database &m_db;
    qint64 m_previous = 0;
};

class Database {
public:
    enum class Mode { OpenExisting, Create };

    // Opens an SQLite file. OpenExisting refuses a missing file; Create
    // refuses an existing one.
    static std::shared_ptr<Database> open(const QString &path, Mode mode);
    // A database that lives in memory only, gone when closed.
    static std::shared_ptr<Database> openInMemory();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    void exec(const QString &sql);
    Statement prepare(const QString &sql) { return Statement(*this, sql); }
    qint64 lastInsertRowId() const;
    // Rows changed by the last statement.
    qint64 changes() const;
    bool inTransaction() const;
    // Nesting depth of the transactions begun through the connections.
    int &transactionDepth() { return m_transactionDepth; }
    QStringList tableNames();

    const QString &path() const { return m_path; }
    sqlite3 *handle() const { return m_db; }
    // Returns once the log holds no commit that is being copied into the file.
    void waitForLogCopy();

    // The failure of the last call that answered code, in the user's words
    // (DatabaseFailureText), numbered by SQLite's extended result code.
    ZoltError failure(int code) const;
    [[noreturn]] void fail(int code) const;

private:
    explicit Database(const QString &path);
    static std::shared_ptr<Database> connect(const QString &path, const QByteArray &name, int flags);

    static int logGrew(void *database, sqlite3 *, const char *, int pages);

    QString m_path;
    sqlite3 *m_db = nullptr;
    int m_transactionDepth = 0;
    std::unique_ptr<LogCheckpointer> m_checkpointer;
};

// The database definition every fresh working database is made from.
QString SchemaSql();

// Makes a fresh database file with every table; refuses to touch an existing
// file. The file appears only once it is complete: a database that cannot be
// written whole (a full disk) leaves nothing behind.
void CreateDatabaseFile(const QString &path);

}  // namespace zolt
