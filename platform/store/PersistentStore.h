#pragma once

#include "store/Predicate.h"
#include "store/Result.h"
#include "store/StoreRow.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace store {

class EntityDescription;
class ManagedObjectModel;

// Where a coordinator keeps objects. Stores are used by one coordinator, under its lock.
class PersistentStore
{
public:
    enum class Type
    {
        inMemory,
        sqlite
    };

    // A store opened to read only is never written, not even to recover from a save that was cut short:
    // such a store is refused instead. Its saves fail.
    enum class Access
    {
        readWrite,
        readOnly
    };

    virtual ~PersistentStore() = default;

    // Opens (or creates) a store. A new store takes identifier when one is given, a new UUID otherwise.
    static Result<std::unique_ptr<PersistentStore>> open(Type type, const QString& path,
                                                         std::shared_ptr<const ManagedObjectModel> model,
                                                         const QString& identifier = {},
                                                         Access access = Access::readWrite);

    virtual Type type() const = 0;
    const QString& identifier() const { return m_identifier; }
    // Empty for the in-memory store.
    const QString& path() const { return m_path; }

    // The rows of entity; stores may narrow them by predicate (an equality on a stored attribute) and
    // callers still check each row. Values that cannot be read come back missing. Rows whose key keyOnly
    // answers true for may come back with their key alone, no values read: the caller holds their object.
    using KeyFilter = std::function<bool(qint64 primaryKey)>;
    virtual Result<QList<StoreRow>> fetchRows(const EntityDescription& entity, const Predicate& predicate,
                                              const KeyFilter& keyOnly = {}) = 0;
    virtual Result<std::optional<StoreRow>> fetchRow(const EntityDescription& entity, qint64 primaryKey) = 0;
    // The first of count new primary keys of entity; keys are never handed out twice. Fails when the
    // store cannot be read, or when the keys would pass the largest 64-bit integer.
    virtual Result<qint64> reservePrimaryKeys(const EntityDescription& entity, qint64 count) = 0;
    // The texts longer than their bounds, without reading them into memory: for each object of entity
    // that has one, in key order, its key and the first attribute of bounds (string attributes by name,
    // each with the most characters its text may have) whose text is longer.
    struct LongText
    {
        qint64 primaryKey = 0;
        QString attribute;
    };
    virtual Result<QList<LongText>> textsLongerThan(const EntityDescription& entity,
                                                    const QHash<QString, qint64>& bounds) = 0;
    virtual Result<void> save(const StoreSaveRequest& request) = 0;
    // Follows the store's file to a new path (after the file itself was moved there).
    virtual Result<void> setPath(const QString& path) = 0;

protected:
    PersistentStore(QString identifier, QString path)
        : m_identifier(std::move(identifier))
        , m_path(std::move(path))
    {}

    // Hands out count keys after last, the highest key stored or handed out so far, and moves last on.
    Result<qint64> takeKeys(qint64& last, qint64 count, const EntityDescription& entity) const;

    QString m_identifier;
    QString m_path;
};

} // namespace store
