#pragma once

#include "foundation/QueuedCall.h"

#include <QObject>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace foundation {

// Hands what jobs on the pool made to an object of the main thread, and to nobody once it is closed.
// A job delivers its result, which queues a call of the receiver's method that takes what waits; the
// receiver closes the mailbox before it goes. The results pass under this lock, not through Qt's event
// queue, so race checkers see the hand-over (and the call is posted as postQueuedCall does, for the
// same reason); the lock also keeps the receiver from going while a job tells it of a result.
template <typename T> class PoolMailbox
{
public:
    template <typename Receiver>
    PoolMailbox(Receiver& receiver, void (Receiver::*take)())
        : m_receiver(&receiver)
        , m_wake([&receiver, take] { (receiver.*take)(); })
    {}

    // On a thread of the pool.
    void deliver(T result)
    {
        const std::lock_guard lock(m_mutex);
        if (!m_receiver)
            return;
        m_ready.push_back(std::move(result));
        foundation::postQueuedCall(m_receiver, m_wake);
    }

    // On the receiver's thread: what was delivered since the last call.
    std::vector<T> take()
    {
        const std::lock_guard lock(m_mutex);
        return std::exchange(m_ready, {});
    }

    // On the receiver's thread, before it goes: later results go nowhere.
    void close()
    {
        const std::lock_guard lock(m_mutex);
        m_receiver = nullptr;
        m_ready.clear();
    }

private:
    std::mutex m_mutex;
    QObject* m_receiver;
    const std::function<void()> m_wake;
    std::vector<T> m_ready;
};

} // namespace foundation
