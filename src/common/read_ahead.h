#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace zolt {

// Reads ahead on a thread of its own while the caller works on what was read
// before: unpacking and parsing a file on one core while the rows are checked
// and stored on the other. The reading fills batches, each a few hundred
// rows; a handful are in flight at most, so memory stays the same however
// long the file is.
//
// Batches come to the caller in order. When fill throws, the caller gets the
// batches filled before and then the same exception, where a reader on the
// caller's thread would have met it. Destroying the ReadAhead stops the
// reading at the next batch.
template <typename Batch>
class ReadAhead {
public:
    // fill(batch, stopping) fills an emptied batch and answers whether more
    // may follow; it looks at stopping() now and then and returns false when
    // it is true.
    using Fill = std::function<bool(Batch &, const std::function<bool()> &stopping)>;

    explicit ReadAhead(Fill fill, int batches = 3) : m_fill(std::move(fill)), m_batches(size_t(batches))
    {
        for (Batch &batch : m_batches)
            m_free.push_back(&batch);
        m_thread = std::thread([this] { run(); });
    }

    ~ReadAhead()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    // The next batch, null after the last; the batch handed out before goes
    // back to the reading. Throws what the reading threw, in its place.
    Batch *next()
    {
        std::unique_lock lock(m_mutex);
        if (m_handedOut) {
            m_free.push_back(m_handedOut);
            m_handedOut = nullptr;
            m_changed.notify_all();
        }
        m_changed.wait(lock, [this] { return !m_ready.empty() || m_done; });
        if (!m_ready.empty()) {
            m_handedOut = m_ready.front();
            m_ready.pop_front();
            return m_handedOut;
        }
        if (m_failure)
            std::rethrow_exception(std::exchange(m_failure, nullptr));
        return nullptr;
    }

private:
    void run()
    {
        const std::function<bool()> stopping = [this] { return m_stop.load(std::memory_order_relaxed); };
        for (bool more = true; more;) {
            Batch *batch = nullptr;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return !m_free.empty() || m_stop; });
                if (m_stop)
                    break;
                batch = m_free.back();
                m_free.pop_back();
            }
            batch->clear();
            std::exception_ptr failure;
            try {
                more = m_fill(*batch, stopping);
            } catch (...) {
                failure = std::current_exception();
                more = false;
            }
            std::lock_guard lock(m_mutex);
            m_ready.push_back(batch);
            m_failure = failure;
            m_changed.notify_all();
        }
        std::lock_guard lock(m_mutex);
        m_done = true;
        m_changed.notify_all();
    }

    Fill m_fill;
    std::vector<Batch> m_batches;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Batch *> m_free;
    std::deque<Batch *> m_ready;
    Batch *m_handedOut = nullptr;
    std::exception_ptr m_failure;
    std::atomic<bool> m_stop = false;
    bool m_done = false;
    std::thread m_thread;
};

}  // namespace zolt
