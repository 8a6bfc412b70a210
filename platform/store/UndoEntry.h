#pragma once

#include "store/ManagedObjectID.h"

#include <QString>
#include <QVariant>

namespace store {

// One recorded change: a value of one object (attributes by value, relationships as the QList of
// related IDs of this end), or an object entering or leaving the graph.
struct UndoEntry
{
    enum class Kind
    {
        Value,
        Insert,
        Delete
    };

    Kind kind = Kind::Value;
    ManagedObjectID id;
    QString key;
    QVariant before;
    QVariant after;
};

} // namespace store
