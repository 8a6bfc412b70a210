#include "store/PersistentStore.h"

#include "store/InMemoryStore.h"
#include "store/SQLiteStore.h"

#include <QUuid>

namespace store {

Result<std::unique_ptr<PersistentStore>>
PersistentStore::open(Type type, const QString& path, std::shared_ptr<const ManagedObjectModel> model,
                      const QString& identifier)
{
    if (type == Type::SQLite)
        return SQLiteStore::open(path, std::move(model), identifier);
    return std::unique_ptr<PersistentStore>(new InMemoryStore(
        identifier.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : identifier));
}

} // namespace store
