#include "foundation/QueuedCall.h"

namespace foundation {

std::mutex& queuedCallLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace foundation
