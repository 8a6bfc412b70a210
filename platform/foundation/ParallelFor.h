#pragma once

#include <functional>

namespace foundation {

// Runs body(0) .. body(count - 1), spread over up to maxThreads threads (the caller's among them), and
// returns when every call has returned. Calls run in no particular order and must not depend on each
// other. The first exception a call throws is rethrown here once the others are done.
//
// The helpers are threads of workerPool() that are idle when the loop starts; the caller works through
// the calls too and waits only for calls a helper has already begun. So a loop inside a job of the pool
// (the bands of one picture inside an export of many) takes no more threads than the pool has, which
// keeps the process to the processors it may use, and a body may call parallelFor again: nothing ever
// waits for work that has yet to start.
void parallelFor(int count, const std::function<void(int)>& body, int maxThreads);

// The number of threads worth using for one loop: as many as the worker pool has.
int availableThreads();

} // namespace foundation
