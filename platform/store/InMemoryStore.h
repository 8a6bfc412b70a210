#pragma once

#include "store/PersistentStore.h"

#include <QHash>
#include <map>

namespace store {

// Keeps rows in memory for the life of the coordinator; used for throw-away graphs.
class InMemoryStore : public PersistentStore
{
public:
    explicit InMemoryStore(QString identifier);

    Type type() const override { return Type::inMemory; }
    Result<QList<StoreRow>> fetchRows(const EntityDescription& entity, const Predicate& predicate,
                                      const KeyFilter& keyOnly = {}) override;
    Result<std::optional<StoreRow>> fetchRow(const EntityDescription& entity, qint64 primaryKey) override;
    Result<qint64> reservePrimaryKeys(const EntityDescription& entity, qint64 count) override;
    Result<QList<LongText>> textsLongerThan(const EntityDescription& entity,
                                            const QHash<QString, qint64>& bounds) override;
    Result<void> save(const StoreSaveRequest& request) override;
    Result<void> setPath(const QString& path) override;

private:
    QHash<QString, std::map<qint64, StoreRow>> m_rows;
    QHash<QString, qint64> m_lastKeys; // by entity: the highest key stored or handed out
};

} // namespace store
