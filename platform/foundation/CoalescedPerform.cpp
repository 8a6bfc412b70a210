#include "foundation/CoalescedPerform.h"

#include <QMetaObject>

namespace foundation {

CoalescedPerform::CoalescedPerform(std::function<void()> action)
    : action_(std::move(action))
    , context_(std::make_unique<QObject>())
{}

CoalescedPerform::~CoalescedPerform() = default;

void CoalescedPerform::request()
{
    if (pending_.exchange(true)) {
        return;
    }
    QMetaObject::invokeMethod(
        context_.get(), [this] { run(); }, Qt::QueuedConnection);
}

void CoalescedPerform::run()
{
    // Cleared before the action, so that what the action requests runs on the following pass.
    pending_.store(false);
    // A copy, so that an action which destroys this object still runs to its end.
    const std::function<void()> action = action_;
    action();
}

} // namespace foundation
