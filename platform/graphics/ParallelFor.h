#pragma once

#include <functional>

namespace graphics {

// Runs body(0) .. body(count - 1), spread over up to maxThreads threads (the caller's among them), and
// returns when every call has returned. Calls run in no particular order and must not depend on each
// other. The first exception a call throws is rethrown here once the others are done.
//
// The helpers are a few threads of the graphics library's own, kept once started. The caller works
// through the calls too and never waits for a helper that has not begun, so a body may call parallelFor
// again, and a caller that is itself a pool thread (a preview render) cannot starve or deadlock.
void parallelFor(int count, const std::function<void(int)>& body, int maxThreads);

// The number of threads worth using on this machine.
int availableThreads();

} // namespace graphics
