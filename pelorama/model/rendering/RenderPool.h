#pragma once

#include "foundation/WorkerPool.h"

namespace pelorama::model {

// The pool on which pictures are rendered off the main thread (previews, thumbnails, exports, pictures
// read from files): the process's one worker pool, which also runs the bands a render splits into. See
// foundation::workerPool for why jobs on it must not wait for one another.
inline QThreadPool& renderPool()
{
    return foundation::workerPool();
}

using foundation::startOnPool;

} // namespace pelorama::model
