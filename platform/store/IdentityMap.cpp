#include "store/IdentityMap.h"

#include "foundation/Fatal.h"
#include "store/ManagedObject.h"

#include <algorithm>

namespace store {

IdentityMap::IdentityMap() = default;
IdentityMap::~IdentityMap() = default;

ManagedObject* IdentityMap::find(const ManagedObjectID& id) const
{
    auto it = m_objects.find(id);
    return it == m_objects.end() ? nullptr : it->second.get();
}

std::shared_ptr<ManagedObject> IdentityMap::share(const ManagedObjectID& id) const
{
    auto it = m_objects.find(id);
    return it == m_objects.end() ? nullptr : it->second;
}

void IdentityMap::add(std::shared_ptr<ManagedObject> object)
{
    ManagedObject* raw = object.get();
    if (!m_objects.emplace(raw->m_id, std::move(object)).second)
        foundation::fatal("Two objects of one context have the ID " +
                          raw->m_id.uriRepresentation().toString());
    raw->m_registered = true;
    m_order.push_back(raw);
}

std::vector<std::shared_ptr<ManagedObject>>
IdentityMap::removeIf(const std::function<bool(const ManagedObject&)>& leave)
{
    std::vector<std::shared_ptr<ManagedObject>> removed;
    std::erase_if(m_order, [&](ManagedObject* object) {
        if (!leave(*object))
            return false;
        auto it = m_objects.find(object->m_id);
        object->m_registered = false;
        removed.push_back(std::move(it->second));
        m_objects.erase(it);
        return true;
    });
    return removed;
}

std::vector<std::shared_ptr<ManagedObject>> IdentityMap::removeAll()
{
    return removeIf([](const ManagedObject&) { return true; });
}

} // namespace store
