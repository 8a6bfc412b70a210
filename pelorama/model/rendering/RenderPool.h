#pragma once

#include <QThreadPool>
#include <functional>

namespace pelorama::model {

// The one pool on which pictures are rendered off the main thread: template previews and exports.
//
// It is Qt's global pool on purpose. Qt splits its own image work (format conversions, smooth scaling)
// over that pool and waits for the parts, except on a thread of the pool itself, where it does the work
// in place. A render running as a job of this pool therefore never waits for another job; a render on a
// thread of its own would, and would wait for ever once every thread of the pool waited for it (on a
// single processor the pool has one thread). Jobs put on this pool must not wait for one another either.
inline QThreadPool& renderPool()
{
    return *QThreadPool::globalInstance();
}

// Runs job on a thread of pool, before the jobs of lower priority that wait. Everything the calling
// thread did before the call happens before the job, also for race checkers: the job is handed over
// through a lock of the standard library, which they see, where Qt's own locks are hidden from them.
void startOnPool(std::function<void()> job, int priority = 0, QThreadPool& pool = renderPool());

} // namespace pelorama::model
