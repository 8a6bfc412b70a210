#include "model/rendering/RenderPool.h"

#include <QRunnable>
#include <memory>
#include <mutex>

namespace pelorama::model {

namespace {

// Taken once by the thread that starts a job, after everything the job reads was made, and once by the
// pool thread before the job reads anything, the job itself included. It orders nothing else, and is
// held only for that moment.
std::mutex handOverLock;

void handOver()
{
    const std::lock_guard lock(handOverLock);
}

class HandedOverJob final : public QRunnable
{
public:
    explicit HandedOverJob(std::function<void()> job)
        : m_job(std::move(job))
    {}

    void run() override
    {
        handOver();
        m_job();
    }

private:
    std::function<void()> m_job;
};

} // namespace

void startOnPool(std::function<void()> job, int priority, QThreadPool& pool)
{
    auto handed = std::make_unique<HandedOverJob>(std::move(job));
    handOver();
    // The pool deletes the job once it has run.
    pool.start(handed.release(), priority);
}

} // namespace pelorama::model
