#pragma once

#include "store/ManagedObjectID.h"
#include "store/ObjectSnapshot.h"
#include "store/PersistentStore.h"
#include "store/Result.h"
#include "store/SaveChanges.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QUrl>
#include <QUuid>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace store {

class ManagedObjectModel;

// Joins a model to its stores and hands out object IDs. Root contexts read and save through it; it
// serialises store access, so contexts on several threads may share it. New objects go to the first
// store.
class PersistentStoreCoordinator
{
public:
    explicit PersistentStoreCoordinator(std::shared_ptr<const ManagedObjectModel> model);
    ~PersistentStoreCoordinator();
    PersistentStoreCoordinator(const PersistentStoreCoordinator&) = delete;
    PersistentStoreCoordinator& operator=(const PersistentStoreCoordinator&) = delete;

    const ManagedObjectModel& managedObjectModel() const { return *m_model; }

    // A SQLite store is a single file at path, created when missing unless it is to be read only.
    Result<PersistentStore*>
    addPersistentStore(PersistentStore::Type type, const QString& path = {},
                       PersistentStore::Access access = PersistentStore::Access::readWrite);
    QList<PersistentStore*> persistentStores() const;
    PersistentStore* persistentStoreForPath(const QString& path) const;
    // The store's file has moved to path; the store follows it.
    Result<void> setPath(PersistentStore* store, const QString& path);
    // Copies the store's objects into a new store of type at path (which must not exist yet) and puts
    // the new store in its place; object IDs stay valid. The old store is closed, its file kept.
    Result<PersistentStore*> migratePersistentStore(PersistentStore* store, const QString& path,
                                                    PersistentStore::Type type);
    Result<void> removePersistentStore(PersistentStore* store);

    // The ID that uri names: temporary IDs while some object still holds them, permanent IDs of this
    // coordinator's stores and model. None for anything else.
    std::optional<ManagedObjectID> managedObjectIDForURIRepresentation(const QUrl& uri);

    // For contexts.
    ManagedObjectID makeTemporaryID(const QString& entityName);
    // The rows of entity that match predicate. Rows of the objects held answers true for come with their
    // ID alone, unchecked: their holder has their values.
    Result<QList<SourceRow>> fetchRows(const EntityDescription& entity, const Predicate& predicate,
                                       const std::function<bool(const ManagedObjectID&)>& held = {});
    std::optional<ObjectSnapshot> fetchRow(const ManagedObjectID& id);
    // The objects of entity, in every store, with a text longer than its bound (see
    // PersistentStore::textsLongerThan), each with the attribute of that text; the texts are not read.
    Result<QList<std::pair<ManagedObjectID, QString>>>
    objectsWithTextsLongerThan(const EntityDescription& entity, const QHash<QString, qint64>& bounds);
    // Writes changes in one transaction of the first store and makes the IDs of inserted objects
    // permanent once it has succeeded.
    Result<void> save(const SaveChanges& changes);

private:
    // A permanent ID's parts; the strings share their data with the store's and the model's.
    struct PermanentKey
    {
        QString storeIdentifier;
        QString entityName;
        qint64 primaryKey = 0;

        friend bool operator==(const PermanentKey& a, const PermanentKey& b)
        {
            return a.primaryKey == b.primaryKey && a.entityName == b.entityName &&
                   a.storeIdentifier == b.storeIdentifier;
        }
        friend size_t qHash(const PermanentKey& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.storeIdentifier, key.entityName, key.primaryKey);
        }
    };

    PersistentStore* storeForPath(const QString& path) const;
    PersistentStore* storeWithIdentifier(const QString& identifier) const;
    ManagedObjectID permanentID(const PersistentStore& store, const QString& entityName, qint64 primaryKey);
    SourceRow sourceRow(const PersistentStore& store, const EntityDescription& entity, StoreRow&& row);
    void pruneIDs(); // forgets IDs no one holds any more, now and then

    mutable QMutex m_mutex;
    std::shared_ptr<const ManagedObjectModel> m_model;
    std::vector<std::unique_ptr<PersistentStore>> m_stores;
    // Every ID some object or caller still holds, so that one object has one ID value.
    QHash<QUuid, std::weak_ptr<ManagedObjectID::Data>> m_temporaryIDs;
    QHash<PermanentKey, std::weak_ptr<ManagedObjectID::Data>> m_permanentIDs;
    qsizetype m_pruneAt = 1024;
};

} // namespace store
