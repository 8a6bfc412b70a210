#include "store/ScopedUndoGroup.h"

#include "store/ManagedObjectContext.h"

#include <utility>

namespace store {

ScopedUndoGroup::ScopedUndoGroup(ManagedObjectContext& context, const QString& name)
    : m_context(&context)
{
    context.beginUndoGroup(name);
}

ScopedUndoGroup::~ScopedUndoGroup()
{
    close();
}

ScopedUndoGroup::ScopedUndoGroup(ScopedUndoGroup&& other) noexcept
    : m_context(std::exchange(other.m_context, nullptr))
{}

ScopedUndoGroup& ScopedUndoGroup::operator=(ScopedUndoGroup&& other) noexcept
{
    if (this != &other) {
        close();
        m_context = std::exchange(other.m_context, nullptr);
    }
    return *this;
}

void ScopedUndoGroup::close()
{
    if (ManagedObjectContext* context = std::exchange(m_context, nullptr))
        context->endUndoGroup();
}

} // namespace store
