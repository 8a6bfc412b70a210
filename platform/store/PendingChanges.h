#pragma once

#include "store/ObjectChanges.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace store {

class ManagedObject;

// The objects a context inserted, updated and deleted since it last told its observers, each kind in the
// order the objects first came in. Membership is hashed, so that noting a change costs the same however
// many objects changed together (a paste of many drawables, a renumbered list).
class PendingChanges
{
public:
    bool isEmpty() const { return m_inserted.isEmpty() && m_updated.isEmpty() && m_deleted.isEmpty(); }

    // A change of an object that is not deleted: it is reported as updated unless it is reported as
    // inserted already (values set before the end of the pass are part of the insertion).
    void noteChanged(ManagedObject* object);
    // An object that (again) belongs to the graph: one deleted earlier in the pass comes back as updated.
    void noteInserted(ManagedObject* object);
    // An object that left the graph: one inserted earlier in the pass was never there.
    void noteDeleted(ManagedObject* object);

    // The changes in order, leaving none.
    ObjectChanges take();

private:
    class OrderedSet
    {
    public:
        bool contains(ManagedObject* object) const { return m_positions.contains(object); }
        bool isEmpty() const { return m_positions.empty(); }
        void append(ManagedObject* object);
        // Whether it was there.
        bool remove(ManagedObject* object);
        QList<ManagedObject*> list() const;

    private:
        std::vector<ManagedObject*> m_order; // removed ones leave a null behind
        std::unordered_map<ManagedObject*, std::size_t> m_positions;
    };

    OrderedSet m_inserted;
    OrderedSet m_updated;
    OrderedSet m_deleted;
};

} // namespace store
