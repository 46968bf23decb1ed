#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace zolt {

// Hands work over to a thread of its own, a batch at a time, while the
// caller fills the next batch: formatting the rows on one core while the
// file is written on the other. Two batches take turns, so memory stays the
// same however many there are.
//
// A failure of the work is thrown to the caller at the next hand-over or
// wait, and the work takes nothing more after it.
template <typename Batch>
class WriteBehind {
public:
    // work(batch) does a batch's work; the batch is emptied for the caller
    // afterwards (Batch::clear()).
    explicit WriteBehind(std::function<void(Batch &)> work) : m_work(std::move(work))
    {
        m_thread = std::thread([this] { run(); });
    }

    ~WriteBehind()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    WriteBehind(const WriteBehind &) = delete;
    WriteBehind &operator=(const WriteBehind &) = delete;

    // The batch the caller fills.
    Batch &filling() { return *m_filling; }

    // Hands the batch filled over and gives the caller the other one, once
    // the work on it is done.
    void handOver()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_working; });
        rethrowFailure();
        m_working = m_filling;
        m_filling = m_filling == &m_batches[0] ? &m_batches[1] : &m_batches[0];
        m_changed.notify_all();
    }

    // Waits until the work handed over is done; throws its failure.
    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_working; });
        rethrowFailure();
    }

private:
    void rethrowFailure()
    {
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_working || m_stop; });
            if (!m_working)
                return;
            Batch &batch = *m_working;
            const bool failed = bool(m_failure);
            lock.unlock();
            std::exception_ptr failure;
            if (!failed) {
                try {
                    m_work(batch);
                } catch (...) {
                    failure = std::current_exception();
                }
            }
            batch.clear();
            lock.lock();
            if (failure)
                m_failure = failure;
            m_working = nullptr;
            m_changed.notify_all();
        }
    }

    std::function<void(Batch &)> m_work;
    Batch m_batches[2];
    Batch *m_filling = &m_batches[0];
    Batch *m_working = nullptr;  // handed over, not yet done
    std::exception_ptr m_failure;
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
};

}  // namespace zolt
