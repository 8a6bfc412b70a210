#pragma once

#include "store/Predicate.h"
#include "store/SortDescriptor.h"

#include <QList>
#include <QString>

namespace store {

struct FetchRequest
{
    explicit FetchRequest(QString entity, Predicate filter = Predicate::all())
        : entityName(std::move(entity))
        , predicate(std::move(filter))
    {}

    QString entityName;
    Predicate predicate;
    QList<SortDescriptor> sortDescriptors;
    // With pending changes (the default) results reflect the context as it is now: unsaved inserts
    // are found, unsaved deletes are not, and values are matched as they are in memory. Without them
    // results are what the parent context or the store holds.
    bool includesPendingChanges = true;
    qsizetype fetchLimit = 0; // 0 for no limit
};

} // namespace store
