#include "log_checkpointer.h"

#include <QtGlobal>
#include <sqlite3.h>

namespace zolt {

LogCheckpointer::~LogCheckpointer()
{
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void LogCheckpointer::request()
{
    std::lock_guard lock(m_mutex);
    m_requested = true;
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
    m_changed.notify_all();
}

void LogCheckpointer::waitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_requested && !m_running; });
}

void LogCheckpointer::run()
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(m_fileName.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        == SQLITE_OK) {
        sqlite3_busy_timeout(db, 5000);
        // A connection finds the log once it first reads the file.
        sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    }
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_requested || m_closing; });
        if (!m_requested)
            break;
        m_requested = false;
        m_running = true;
        lock.unlock();
        // A copy that fails (a full disk) leaves the log as it is: the
        // commits stay in it, and the next copy takes them.
        const int rc = sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        if (rc != SQLITE_OK && rc != SQLITE_BUSY)
            qWarning("The database log could not be copied into %s: %s", m_fileName.constData(), sqlite3_errstr(rc));
        lock.lock();
        m_running = false;
        m_changed.notify_all();
    }
    lock.unlock();
    sqlite3_close_v2(db);
}

}  // namespace zolt
