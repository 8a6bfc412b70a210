#pragma once

#include <QThreadPool>
#include <functional>

namespace foundation {

// The one pool of threads on which all parallel work of the process runs: jobs (exports, previews,
// pictures read or drawn off the main thread) and the parts one job splits its work into (parallelFor).
// It is Qt's global pool, with as many threads as usableProcessorCount() gave when it was first asked
// for.
//
// Qt's global pool on purpose: Qt splits its own image work (format conversions, smooth scaling) over
// that pool and waits for the parts, except on a thread of the pool itself, where it does the work in
// place. Work running on this pool therefore never waits for a job queued behind it, and never starts
// threads beside it. Jobs put on this pool must not wait for one another either.
QThreadPool& workerPool();

// Runs job on a thread of pool, before the jobs of lower priority that wait. Everything the calling
// thread did before the call happens before the job, also for race checkers: the job is handed over
// through a lock of the standard library, which they see, where Qt's own locks are hidden from them.
void startOnPool(std::function<void()> job, int priority = 0, QThreadPool& pool = workerPool());

// Runs job as startOnPool does, but only on a thread that is idle now, or, on the worker pool, about to
// be: while fewer jobs of startOnPool are unfinished than it has threads, job goes ahead of every job
// that waits. Returns false, and drops job, when every thread of pool is busy with such jobs. What a
// caller hands out this way never waits in the queue behind jobs.
bool tryStartOnPool(std::function<void()> job, QThreadPool& pool = workerPool());

} // namespace foundation
