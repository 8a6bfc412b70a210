#pragma once

#include <functional>

namespace graphics {

// Runs body(0) .. body(count - 1), spread over up to maxThreads threads (the caller's among them), and
// returns when every call has returned. Calls run in no particular order and must not depend on each
// other. The first exception a call throws is rethrown here once the others are done.
//
// The helpers are threads of their own rather than the shared pool: a render may itself run on a pool
// thread, and waiting there for queued pool work could starve or deadlock.
void parallelFor(int count, const std::function<void(int)>& body, int maxThreads);

// The number of threads worth using on this machine.
int availableThreads();

} // namespace graphics
