#pragma once

#include <QByteArray>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace zolt {

// Copies a database's write-ahead log into the file on a thread of its own,
// through a connection of its own, so that the commit of a large load
// returns as soon as the log holds it. Asked for after such a commit; a
// request while it copies makes it copy once more after. Waits for the copy
// under way when destroyed.
class LogCheckpointer {
public:
    explicit LogCheckpointer(const QByteArray &fileName) : m_fileName(fileName) {}
    ~LogCheckpointer();
    LogCheckpointer(const LogCheckpointer &) = delete;
    LogCheckpointer &operator=(const LogCheckpointer &) = delete;

    void request();
    // Returns once no copy is asked for or under way.
    void waitUntilIdle();

private:
    void run();

    QByteArray m_fileName;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_requested = false;
    bool m_running = false;
    bool m_closing = false;
    std::thread m_thread;
};

}  // namespace zolt
