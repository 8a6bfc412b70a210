#pragma once

#include "store/ManagedObjectID.h"

#include <atomic>

namespace store {

// Shared by every copy of one ID. The entity and the temporary UUID never change; the store identifier
// is written once, before the primary key is published with release order, so readers that see a
// primary key see the identifier too.
struct ManagedObjectID::Data
{
    QString entityName;
    QUuid temporaryID;
    QString storeIdentifier;
    std::atomic<qint64> primaryKey{0};
};

} // namespace store
