#include "foundation/WorkerPool.h"

#include "foundation/ProcessorCount.h"
#include "foundation/ThreadHeaps.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <mutex>

namespace foundation {

namespace {

// Taken once by the thread that hands a job over, after everything the job reads was made, and once by
// the pool thread before the job reads anything, the job itself included. It orders nothing else, and
// is held only for that moment.
std::mutex handOverLock;

void handOver()
{
    const std::lock_guard lock(handOverLock);
}

// Jobs handed to the worker pool by startOnPool that have not ended yet, waiting or running: what holds
// its threads for longer than a loop's helpers.
std::atomic<int>& unfinishedJobs()
{
    static std::atomic<int> count = 0;
    return count;
}

class JobEnd
{
public:
    explicit JobEnd(bool counted)
        : m_counted(counted)
    {}
    JobEnd(const JobEnd&) = delete;
    JobEnd& operator=(const JobEnd&) = delete;
    ~JobEnd()
    {
        if (m_counted)
            --unfinishedJobs();
    }

private:
    bool m_counted;
};

// The job, to be run on a thread of a pool once handed over; counted, it was counted among the unfinished
// jobs and is taken off when it ends.
std::function<void()> runOnPool(std::function<void()> job, bool counted)
{
    return [job = std::move(job), counted] {
        handOver();
        const JobEnd end(counted);
        job();
    };
}

// Only the jobs of the worker pool are counted, the pool the loops' helpers run on.
bool counts(const QThreadPool& pool)
{
    return &pool == QThreadPool::globalInstance();
}

} // namespace

QThreadPool& workerPool()
{
    QThreadPool& pool = *QThreadPool::globalInstance();
    static const bool sized = [&pool] {
        const int threads = usableProcessorCount();
        pool.setMaxThreadCount(threads);
        // The threads make and free whole pictures, each its own. The C library would keep a heap per
        // thread, up to eight per processor, and what the pictures left in them came back to the system
        // only in part: the window held hundreds of megabytes more after an export.
        boundThreadHeaps(threads);
        return true;
    }();
    Q_UNUSED(sized);
    return pool;
}

void startOnPool(std::function<void()> job, int priority, QThreadPool& pool)
{
    const bool counted = counts(pool);
    if (counted)
        ++unfinishedJobs();
    std::function<void()> run = runOnPool(std::move(job), counted);
    handOver();
    pool.start(std::move(run), priority);
}

bool tryStartOnPool(std::function<void()> job, QThreadPool& pool)
{
    std::function<void()> run = runOnPool(std::move(job), false);
    // The pool drops what it cannot start at once: it is given a copy, made before the hand-over.
    std::function<void()> attempt = run;
    handOver();
    if (pool.tryStart(std::move(attempt)))
        return true;
    // The pool counts a thread as busy from the moment a job is handed to it until, the job done, it
    // has looked for the next one. A loop that follows another at once (the search for transparency
    // that ends at the first clear pixel, then the encoding) finds the threads that were to help the
    // first still busy so, and would run alone. While fewer jobs hold threads than the pool has, the
    // others are such threads, or helpers of loops that end soon: the job goes ahead of every other
    // and is taken up as soon as one of them looks.
    if (counts(pool) && unfinishedJobs() < pool.maxThreadCount()) {
        pool.start(std::move(run), std::numeric_limits<int>::max());
        return true;
    }
    return false;
}

} // namespace foundation
