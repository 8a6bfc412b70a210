#include "store/PendingChanges.h"

#include <utility>

namespace store {

void PendingChanges::OrderedSet::append(ManagedObject* object)
{
    if (m_positions.try_emplace(object, m_order.size()).second)
        m_order.push_back(object);
}

bool PendingChanges::OrderedSet::remove(ManagedObject* object)
{
    const auto found = m_positions.find(object);
    if (found == m_positions.end())
        return false;
    m_order[found->second] = nullptr;
    m_positions.erase(found);
    return true;
}

QList<ManagedObject*> PendingChanges::OrderedSet::list() const
{
    QList<ManagedObject*> objects;
    objects.reserve(qsizetype(m_positions.size()));
    for (ManagedObject* object : m_order) {
        if (object)
            objects.append(object);
    }
    return objects;
}

void PendingChanges::noteChanged(ManagedObject* object)
{
    if (!m_inserted.contains(object))
        m_updated.append(object);
}

void PendingChanges::noteInserted(ManagedObject* object)
{
    if (m_deleted.remove(object)) {
        m_updated.append(object);
    } else {
        m_updated.remove(object);
        m_inserted.append(object);
    }
}

void PendingChanges::noteDeleted(ManagedObject* object)
{
    m_updated.remove(object);
    if (!m_inserted.remove(object))
        m_deleted.append(object);
}

ObjectChanges PendingChanges::take()
{
    ObjectChanges changes{m_inserted.list(), m_updated.list(), m_deleted.list()};
    *this = PendingChanges();
    return changes;
}

} // namespace store
