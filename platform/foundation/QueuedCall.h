#pragma once

#include <QMetaObject>
#include <QObject>
#include <mutex>
#include <utility>

namespace foundation {

// The lock queued calls are handed over under; see postQueuedCall.
std::mutex& queuedCallLock();

// Runs call on receiver's thread, from its event loop, as a queued QMetaObject::invokeMethod does, so
// that everything the posting thread did before happens before the call also for race checkers: Qt's
// event queue hands the call over under locks they cannot see, so the call is handed over under a lock
// of the standard library as well, taken by the poster around the posting and by the call before it
// reads anything it was given.
template <typename Call> void postQueuedCall(QObject* receiver, Call&& call)
{
    const std::lock_guard posting(queuedCallLock());
    QMetaObject::invokeMethod(
        receiver,
        [call = std::forward<Call>(call)]() mutable {
            {
                const std::lock_guard handedOver(queuedCallLock());
            }
            call();
        },
        Qt::QueuedConnection);
}

} // namespace foundation
