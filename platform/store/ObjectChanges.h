#pragma once

#include <QList>
#include <QMetaType>

namespace store {

class ManagedObject;

// The objects a context inserted, updated and deleted since it last told its observers.
struct ObjectChanges
{
    QList<ManagedObject*> inserted;
    QList<ManagedObject*> updated;
    QList<ManagedObject*> deleted;

    bool isEmpty() const { return inserted.isEmpty() && updated.isEmpty() && deleted.isEmpty(); }
};

} // namespace store

Q_DECLARE_METATYPE(store::ObjectChanges)
