#include "foundation/ParallelFor.h"

#include "foundation/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <utility>

namespace foundation {
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

    bool claimedAll() const { return m_next >= m_count; }

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

} // namespace

int availableThreads()
{
    return std::max(1, workerPool().maxThreadCount());
}

void parallelFor(int count, const std::function<void(int)>& body, int maxThreads)
{
    const int threads = std::min({count, maxThreads, availableThreads()});
    if (threads <= 1) {
        for (int index = 0; index < count; ++index) {
            body(index);
        }
        return;
    }
    const auto batch = std::make_shared<Batch>(body, count);
    // Helpers only on threads that are idle now: a helper never waits in the queue behind jobs, and
    // when the pool is busy (every thread exporting a picture of its own) the caller runs the loop alone.
    for (int helper = 1; helper < threads && !batch->claimedAll(); ++helper) {
        if (!tryStartOnPool([batch] { batch->work(); })) {
            break;
        }
    }
    batch->work();
    batch->wait();
}

} // namespace foundation
