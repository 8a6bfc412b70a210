#include "store/PersistentStore.h"

#include "store/EntityDescription.h"
#include "store/InMemoryStore.h"
#include "store/SQLiteStore.h"

#include <QUuid>
#include <limits>

namespace store {

Result<std::unique_ptr<PersistentStore>>
PersistentStore::open(Type type, const QString& path, std::shared_ptr<const ManagedObjectModel> model,
                      const QString& identifier, Access access)
{
    if (type == Type::sqlite)
        return SQLiteStore::open(path, std::move(model), identifier, access);
    return std::unique_ptr<PersistentStore>(new InMemoryStore(
        identifier.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : identifier));
}

Result<qint64> PersistentStore::takeKeys(qint64& last, qint64 count, const EntityDescription& entity) const
{
    if (count < 1 || count > std::numeric_limits<qint64>::max() - last)
        return failure(Error::Code::storeSaveFailed,
                       (m_path.isEmpty() ? QString("The store") : "The store at " + m_path) +
                           " has no keys left for new " + entity.name() + " objects.");
    const qint64 first = last + 1;
    last += count;
    return first;
}

} // namespace store
