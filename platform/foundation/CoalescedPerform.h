#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

namespace foundation {

// Runs an action on the next pass of the event loop of the thread that made this object, once however
// often it was requested before that pass: one queued call guarded by a pending flag. Requests may come
// from any thread. A request made while the action runs schedules one more run. Destroying the object
// drops a pending run.
class CoalescedPerform
{
public:
    explicit CoalescedPerform(std::function<void()> action);
    ~CoalescedPerform();
    CoalescedPerform(const CoalescedPerform&) = delete;
    CoalescedPerform& operator=(const CoalescedPerform&) = delete;

    void request();
    bool isPending() const { return m_pending.load(); }

private:
    void run();

    std::function<void()> m_action;
    std::atomic<bool> m_pending = false;
    // The queued call's receiver: it lives in this object's thread and takes pending calls with it.
    std::unique_ptr<QObject> m_context;
};

} // namespace foundation
