#pragma once

#include "store/ManagedObjectID.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace store {

// The values of one object as a context, its parent or a store hold them: attributes by name (missing
// keys are missing values) and the related objects of every relationship (at most one for to-one).
struct ObjectSnapshot
{
    QHash<QString, QVariant> attributes;
    QHash<QString, QList<ManagedObjectID>> relationships;
};

struct SourceRow
{
    ManagedObjectID id;
    ObjectSnapshot snapshot;
};

} // namespace store
