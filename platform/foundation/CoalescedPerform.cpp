#include "foundation/CoalescedPerform.h"

#include <QMetaObject>

namespace foundation {

CoalescedPerform::CoalescedPerform(std::function<void()> action)
    : m_action(std::move(action))
    , m_context(std::make_unique<QObject>())
{}

CoalescedPerform::~CoalescedPerform() = default;

void CoalescedPerform::request()
{
    if (m_pending.exchange(true)) {
        return;
    }
    QMetaObject::invokeMethod(
        m_context.get(), [this] { run(); }, Qt::QueuedConnection);
}

void CoalescedPerform::run()
{
    // Cleared before the action, so that what the action requests runs on the following pass.
    m_pending.store(false);
    // A copy, so that an action which destroys this object still runs to its end.
    const std::function<void()> action = m_action;
    action();
}

} // namespace foundation
