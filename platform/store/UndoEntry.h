#pragma once

#include "store/ManagedObjectID.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace store {

class ManagedObject;

// One recorded change: a value of one object (attributes by value, relationships as the QList of
// related IDs of this end), or an object entering or leaving the graph.
struct UndoEntry
{
    enum class Kind
    {
        value,
        insertion,
        deletion
    };

    Kind kind = Kind::value;
    ManagedObjectID id;
    QString key;
    QVariant before;
    QVariant after;
    // Insert and Delete: the object itself, so that the step can bring it back after its context let
    // go of it (once its deletion was saved).
    std::shared_ptr<ManagedObject> object;
};

} // namespace store
