#include "graphics/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace graphics {
namespace {

// The calls of one parallelFor. Threads claim the next index until none is left, so uneven calls still
// balance; the caller waits only for calls already claimed, which are running, never for a thread that
// has yet to start.
class Batch
{
public:
    Batch(const std::function<void(int)>& body, int count)
        : m_body(body)
        , m_count(count)
    {}

    void work()
    {
        for (int index = m_next++; index < m_count; index = m_next++) {
            std::exception_ptr failure;
            if (!m_cancelled) {
                try {
                    m_body(index);
                } catch (...) {
                    failure = std::current_exception();
                    m_cancelled = true;
                }
            }
            const std::lock_guard lock(m_mutex);
            if (failure && !m_failure) {
                m_failure = std::move(failure);
            }
            if (++m_done == m_count) {
                m_finished.notify_all();
            }
        }
    }

    // Waits for every call, then rethrows the first failure.
    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_finished.wait(lock, [this] { return m_done == m_count; });
        // Taken out, so the exception ends on the caller's thread and not with a late helper's last
        // reference to the batch.
        if (std::exception_ptr failure = std::exchange(m_failure, nullptr)) {
            std::rethrow_exception(failure);
        }
    }

private:
    // Called only for claimed indices, all of which finish before wait() returns: a thread that comes
    // late touches the batch, which it shares, but not the body, which belongs to the caller.
    const std::function<void(int)>& m_body;
    const int m_count;
    std::atomic<int> m_next{0};
    std::atomic<bool> m_cancelled{false};
    std::mutex m_mutex;
    std::condition_variable m_finished;
    int m_done = 0;
    std::exception_ptr m_failure;
};

// The helper threads, started on first use and kept for the life of the process: starting threads for
// every canvas-sized loop costs more than some of the loops.
class Workers
{
public:
    static Workers& shared()
    {
        static Workers workers;
        return workers;
    }

    ~Workers()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_available.notify_all();
        for (std::thread& thread : m_threads) {
            thread.join();
        }
    }

    // Asks up to helpers threads to join batch.
    void post(const std::shared_ptr<Batch>& batch, int helpers)
    {
        const std::lock_guard lock(m_mutex);
        start();
        helpers = std::min(helpers, int(m_threads.size()));
        for (int helper = 0; helper < helpers; ++helper) {
            m_queue.push_back(batch);
        }
        if (helpers > 0) {
            m_available.notify_all();
        }
    }

private:
    Workers() = default;

    // Called with the mutex held.
    void start()
    {
        if (m_started) {
            return;
        }
        m_started = true;
        const int helpers = availableThreads() - 1;
        for (int helper = 0; helper < helpers; ++helper) {
            try {
                m_threads.emplace_back([this] { run(); });
            } catch (const std::system_error&) {
                // Out of threads: the callers take the rest.
                break;
            }
        }
    }

    void run()
    {
        for (;;) {
            std::shared_ptr<Batch> batch;
            {
                std::unique_lock lock(m_mutex);
                m_available.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
                if (m_queue.empty()) {
                    return;
                }
                batch = std::move(m_queue.front());
                m_queue.pop_front();
            }
            batch->work();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_available;
    std::deque<std::shared_ptr<Batch>> m_queue;
    std::vector<std::thread> m_threads;
    bool m_started = false;
    bool m_stopping = false;
};

} // namespace

int availableThreads()
{
    return std::max(1, int(std::thread::hardware_concurrency()));
}

void parallelFor(int count, const std::function<void(int)>& body, int maxThreads)
{
    const int threads = std::min(count, maxThreads);
    if (threads <= 1) {
        for (int index = 0; index < count; ++index) {
            body(index);
        }
        return;
    }
    const auto batch = std::make_shared<Batch>(body, count);
    Workers::shared().post(batch, threads - 1);
    batch->work();
    batch->wait();
}

} // namespace graphics
