#include "sqlite_db.h"

#include "common/errors.h"
#include "common/temporary_target.h"
#include "database_failure.h"
#include "log_checkpointer.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>

namespace zolt {

Statement::Statement(Database &db, const QString &sql) : m_db(&db)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db.handle(), utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        db.fail(rc);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement &&other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt)
{
    other.m_stmt = nullptr;
}

void Statement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        rc = sqlite3_bind_null(m_stmt, index);
        break;
    case QMetaType::Bool:
        rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? -1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
        rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    default: {
        if (value.isNull()) {
            rc = sqlite3_bind_null(m_stmt, index);
            break;
        }
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK)
        m_db->fail(rc);
}

void Statement::bindText(int index, QStringView text)
{
    const char16_t *units = text.isNull() ? u"" : text.utf16();
    if (const int rc = sqlite3_bind_text16(m_stmt, index, units, int(text.size() * 2), SQLITE_STATIC); rc != SQLITE_OK)
        m_db->fail(rc);
}

void Statement::bindUtf8(int index, QByteArrayView utf8)
{
    const char *bytes = utf8.isNull() ? "" : utf8.data();
    if (const int rc = sqlite3_bind_text(m_stmt, index, bytes, int(utf8.size()), SQLITE_STATIC); rc != SQLITE_OK)
        m_db->fail(rc);
}

void Statement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values.at(i));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    m_db->fail(rc);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::run()
{
    while (step()) {
    }
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant Statement::column(int column) const
{
    return cell(column).value();
}

Cell Statement::cell(int column) const
{
    // One lookup of the column; the value is read where it stands. Its type
    // comes first: reading it as text would change it.
    sqlite3_value *value = sqlite3_column_value(m_stmt, column);
    Cell cell;
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        break;
    case SQLITE_INTEGER:
        cell.kind = Cell::Kind::Integer;
        cell.integer = sqlite3_value_int64(value);
        break;
    case SQLITE_FLOAT:
        cell.kind = Cell::Kind::Real;
        cell.real = sqlite3_value_double(value);
        break;
    case SQLITE_BLOB: {
        // The pointer first, then its size, as SQLite asks.
        const auto *data = static_cast<const char *>(sqlite3_value_blob(value));
        cell.kind = Cell::Kind::Blob;
        cell.bytes = QByteArrayView(data, sqlite3_value_bytes(value));
        break;
    }
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
        cell.kind = Cell::Kind::Text;
        cell.bytes = QByteArrayView(text, sqlite3_value_bytes(value));
        break;
    }
    }
    return cell;
}

namespace {

// Read-only as the file's attributes show it: no write permission for its
// owner (as the files the program writes are judged, TemporaryTarget).
bool withoutWritePermission(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

}  // namespace

std::shared_ptr<Database> Database::open(const QString &path, Mode mode)
{
    const bool exists = QFileInfo::exists(path);
    if (mode == Mode::OpenExisting && !exists)
        throw ZoltError(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(path));
    if (mode == Mode::Create && exists)
        throw ZoltError(ErrorNumber::FileAccess, QStringLiteral("%1 already exists").arg(path));

    // A file without write permission is opened for reading only, whoever
    // runs the program: root may write any file, but a file made read-only
    // is one the user wants left alone.
    const int flags = mode == Mode::OpenExisting && withoutWritePermission(path)
        ? SQLITE_OPEN_READONLY
        : SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    const auto db = connect(path, QFile::encodeName(path), flags);
    // A file the program may not write is opened for reading only: every
    // task writes, so it is refused at once, saying why.
    if (sqlite3_db_readonly(db->m_db, "main") == 1)
        db->fail(SQLITE_READONLY);
    // Single user: the write-ahead log (journal_mode=WAL) lets a reader and
    // the one writer work side by side and makes a commit one append to the
    // log. synchronous=NORMAL syncs the log only when it is copied into the
    // file, not at every commit: the per-row commits of the screens stay
    // cheap, and a crash or power cut may lose the last commits but never
    // damages the file (FULL would sync every commit, for little gain on a
    // single-user file). A page cache of 64 MB holds the working tables of a
    // large file whole, so a list read in index order reads each page once.
    db->exec(QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-65536;"));
    // The log is copied into the file, as SQLite would after the commit
    // that makes it 1,000 pages long, but on a thread of its own: a large
    // load is done once its commit is in the log.
    db->m_checkpointer = std::make_unique<LogCheckpointer>(QFile::encodeName(path));
    sqlite3_wal_hook(db->m_db, &Database::logGrew, db.get());
    return db;
}

int Database::logGrew(void *database, sqlite3 *, const char *, int pages)
{
    constexpr int CopyFrom = 1000;  // pages, SQLite's own automatic checkpoint
    if (pages >= CopyFrom)
        static_cast<Database *>(database)->m_checkpointer->request();
    return SQLITE_OK;
}

void Database::waitForLogCopy()
{
    if (m_checkpointer)
        m_checkpointer->waitUntilIdle();
}

std::shared_ptr<Database> Database::openInMemory()
{
    // By its name, not SQLITE_OPEN_MEMORY: that flag would keep the file of
    // a VACUUM INTO in memory too.
    return connect(QStringLiteral(":memory:"), QByteArrayLiteral(":memory:"),
                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

std::shared_ptr<Database> Database::connect(const QString &path, const QByteArray &name, int flags)
{
    std::shared_ptr<Database> db(new Database(path));
    // Each connection is used by the thread that opened it only, so SQLite
    // need not lock around every call.
    const int rc = sqlite3_open_v2(name.constData(), &db->m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        db->fail(rc);
    sqlite3_extended_result_codes(db->m_db, 1);
    // Another program holding the database gets 5 s to let it go; then the
    // work fails, saying so.
    sqlite3_busy_timeout(db->m_db, 5000);
    return db;
}

Database::Database(const QString &path) : m_path(path) {}

Database::~Database()
{
    m_checkpointer.reset();
    sqlite3_close_v2(m_db);
}

void Database::exec(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        fail(rc);
}

qint64 Database::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

qint64 Database::changes() const
{
    return sqlite3_changes64(m_db);
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

QStringList Database::tableNames()
{
    QStringList names;
    Statement st = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    while (st.step())
        names << st.column(0).toString();
    return names;
}

ZoltError Database::failure(int code) const
{
    const QString text = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(code));
    if (m_db && sqlite3_extended_errcode(m_db) != SQLITE_OK)
        code = sqlite3_extended_errcode(m_db);
    int systemError = m_db ? sqlite3_system_errno(m_db) : 0;
    if ((code & 0xff) == SQLITE_IOERR && systemError == 0)
        systemError = NoRoomErrorOf(m_path);
    return ZoltError(code, DatabaseFailureText(code, m_path, text, systemError), ErrorSource::Database);
}

void Database::fail(int code) const
{
    throw failure(code);
}

void CreateDatabaseFile(const QString &path)
{
    auto alreadyThere = [&path] {
        return ZoltError(ErrorNumber::FileAccess, QStringLiteral("%1 already exists").arg(path));
    };
    if (QFileInfo::exists(path))
        throw alreadyThere();
    // The tables are made in memory and written out in one go to a
    // temporary file, which takes the name only once it is complete.
    const auto db = Database::openInMemory();
    db->exec(QStringLiteral("BEGIN"));
    db->exec(SchemaSql());
    db->exec(QStringLiteral("COMMIT"));
    TemporaryTarget file(path);
    Statement vacuum = db->prepare(QStringLiteral("VACUUM INTO ?1"));
    vacuum.bind(1, file.path());
    vacuum.run();
    if (QFileInfo::exists(path))
        throw alreadyThere();
    file.commit();
}

PageCacheSize::PageCacheSize(Database &db, int mebibytes) : m_db(db)
{
    Statement st = db.prepare(QStringLiteral("PRAGMA cache_size"));
    m_previous = st.step() ? st.column(0).toLongLong() : 0;
    db.exec(QStringLiteral("PRAGMA cache_size = -%1").arg(qint64(mebibytes) * 1024));
}

PageCacheSize::~PageCacheSize()
{
    try {
        m_db.exec(QStringLiteral("PRAGMA cache_size = %1").arg(m_previous));
    } catch (const std::exception &) {
    }
}

}  // namespace zolt
