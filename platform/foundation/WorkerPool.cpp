#include "foundation/WorkerPool.h"

#include "foundation/ProcessorCount.h"

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

std::function<void()> handedOver(std::function<void()> job)
{
    std::function<void()> run = [job = std::move(job)] {
        handOver();
        job();
    };
    handOver();
    return run;
}

} // namespace

QThreadPool& workerPool()
{
    QThreadPool& pool = *QThreadPool::globalInstance();
    static const bool sized = [&pool] {
        pool.setMaxThreadCount(usableProcessorCount());
        return true;
    }();
    Q_UNUSED(sized);
    return pool;
}

void startOnPool(std::function<void()> job, int priority, QThreadPool& pool)
{
    pool.start(handedOver(std::move(job)), priority);
}

bool tryStartOnPool(std::function<void()> job, QThreadPool& pool)
{
    return pool.tryStart(handedOver(std::move(job)));
}

} // namespace foundation
