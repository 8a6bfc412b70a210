#include "store/PersistentStoreCoordinator.h"

#include "store/EntityDescription.h"
#include "store/ManagedObjectIDData.h"
#include "store/ManagedObjectModel.h"

#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSet>
#include <QUuid>

namespace store {

namespace {

QString canonicalPath(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

PersistentStoreCoordinator::PersistentStoreCoordinator(std::shared_ptr<const ManagedObjectModel> model)
    : m_model(std::move(model))
{}

PersistentStoreCoordinator::~PersistentStoreCoordinator() = default;

Result<PersistentStore*> PersistentStoreCoordinator::addPersistentStore(PersistentStore::Type type,
                                                                        const QString& path,
                                                                        PersistentStore::Access access)
{
    QMutexLocker lock(&m_mutex);
    if (type == PersistentStore::Type::sqlite && storeForPath(path))
        return failure(Error::Code::storeOpenFailed, "The store at " + path + " is already open.");
    Result<std::unique_ptr<PersistentStore>> store = PersistentStore::open(type, path, m_model, {}, access);
    if (!store)
        return failure(store.error());
    if (storeWithIdentifier((*store)->identifier()))
        return failure(Error::Code::storeOpenFailed, "A copy of the store at " + path + " is already open.");
    m_stores.push_back(std::move(*store));
    return m_stores.back().get();
}

QList<PersistentStore*> PersistentStoreCoordinator::persistentStores() const
{
    QMutexLocker lock(&m_mutex);
    QList<PersistentStore*> stores;
    for (const auto& store : m_stores)
        stores.append(store.get());
    return stores;
}

PersistentStore* PersistentStoreCoordinator::persistentStoreForPath(const QString& path) const
{
    QMutexLocker lock(&m_mutex);
    return storeForPath(path);
}

PersistentStore* PersistentStoreCoordinator::storeForPath(const QString& path) const
{
    if (path.isEmpty())
        return nullptr;
    const QString wanted = canonicalPath(path);
    for (const auto& store : m_stores) {
        if (!store->path().isEmpty() && canonicalPath(store->path()) == wanted)
            return store.get();
    }
    return nullptr;
}

PersistentStore* PersistentStoreCoordinator::storeWithIdentifier(const QString& identifier) const
{
    for (const auto& store : m_stores) {
        if (store->identifier() == identifier)
            return store.get();
    }
    return nullptr;
}

Result<void> PersistentStoreCoordinator::setPath(PersistentStore* store, const QString& path)
{
    QMutexLocker lock(&m_mutex);
    if (!store || !storeWithIdentifier(store->identifier()))
        return failure(Error::Code::noStore, "The store does not belong to this coordinator.");
    return store->setPath(path);
}

Result<PersistentStore*> PersistentStoreCoordinator::migratePersistentStore(PersistentStore* store,
                                                                            const QString& path,
                                                                            PersistentStore::Type type)
{
    QMutexLocker lock(&m_mutex);
    auto it = std::find_if(m_stores.begin(), m_stores.end(), [&](const auto& s) { return s.get() == store; });
    if (it == m_stores.end())
        return failure(Error::Code::noStore, "The store does not belong to this coordinator.");
    if (type == PersistentStore::Type::sqlite && QFileInfo::exists(path))
        return failure(Error::Code::storeSaveFailed, "There is already a file at " + path + ".");

    StoreSaveRequest copy;
    for (const EntityDescription* entity : m_model->entities()) {
        Result<QList<StoreRow>> rows = store->fetchRows(*entity, Predicate::all());
        if (!rows)
            return failure(rows.error());
        for (StoreRow& row : *rows)
            copy.inserted.push_back(EntityRow{entity, std::move(row)});
    }
    Result<std::unique_ptr<PersistentStore>> target =
        PersistentStore::open(type, path, m_model, store->identifier());
    if (!target)
        return failure(target.error());
    auto discard = [&] {
        target->reset();
        if (type == PersistentStore::Type::sqlite)
            QFile::remove(path);
    };
    if (Result<void> saved = (*target)->save(copy); !saved) {
        discard();
        return failure(saved.error());
    }
    for (const EntityDescription* entity : m_model->entities()) {
        // Keep handing out keys after the highest one the old store gave. A store without keys left
        // holds the largest key, and so does its copy, which then refuses new objects itself.
        const Result<qint64> next = store->reservePrimaryKeys(*entity, 1);
        const Result<qint64> targetNext = (*target)->reservePrimaryKeys(*entity, 1);
        if (next && targetNext && *targetNext < *next)
            (void)(*target)->reservePrimaryKeys(*entity, *next - *targetNext);
    }
    *it = std::move(*target);
    return it->get();
}

Result<void> PersistentStoreCoordinator::removePersistentStore(PersistentStore* store)
{
    QMutexLocker lock(&m_mutex);
    auto it = std::find_if(m_stores.begin(), m_stores.end(), [&](const auto& s) { return s.get() == store; });
    if (it == m_stores.end())
        return failure(Error::Code::noStore, "The store does not belong to this coordinator.");
    m_stores.erase(it);
    return {};
}

void PersistentStoreCoordinator::pruneIDs()
{
    if (m_temporaryIDs.size() + m_permanentIDs.size() < m_pruneAt)
        return;
    m_temporaryIDs.removeIf([](const auto& entry) { return entry.value().expired(); });
    m_permanentIDs.removeIf([](const auto& entry) { return entry.value().expired(); });
    m_pruneAt = std::max<qsizetype>(1024, (m_temporaryIDs.size() + m_permanentIDs.size()) * 2);
}

ManagedObjectID PersistentStoreCoordinator::makeTemporaryID(const QString& entityName)
{
    auto data = std::make_shared<ManagedObjectID::Data>();
    data->entityName = entityName;
    data->temporaryID = QUuid::createUuid();
    QMutexLocker lock(&m_mutex);
    pruneIDs();
    m_temporaryIDs.insert(data->temporaryID, data);
    return ManagedObjectID(std::move(data));
}

ManagedObjectID PersistentStoreCoordinator::permanentID(const PersistentStore& store,
                                                        const QString& entityName, qint64 primaryKey)
{
    PermanentKey key{store.identifier(), entityName, primaryKey};
    if (std::shared_ptr<ManagedObjectID::Data> data = m_permanentIDs.value(key).lock())
        return ManagedObjectID(std::move(data));
    auto data = std::make_shared<ManagedObjectID::Data>();
    data->entityName = entityName;
    data->storeIdentifier = store.identifier();
    data->primaryKey.store(primaryKey, std::memory_order_release);
    pruneIDs();
    m_permanentIDs.insert(key, data);
    return ManagedObjectID(std::move(data));
}

std::optional<ManagedObjectID>
PersistentStoreCoordinator::managedObjectIDForURIRepresentation(const QUrl& uri)
{
    if (uri.scheme() != "x-store")
        return std::nullopt;
    const QStringList parts = uri.path().split('/', Qt::SkipEmptyParts);
    if (parts.size() != 2 || parts[1].size() < 2 || !m_model->entity(parts[0]))
        return std::nullopt;
    const QString& entityName = parts[0];
    const QString reference = parts[1].mid(1);
    QMutexLocker lock(&m_mutex);
    if (parts[1].startsWith('t')) {
        const QUuid uuid(reference);
        if (uuid.isNull())
            return std::nullopt;
        std::shared_ptr<ManagedObjectID::Data> data = m_temporaryIDs.value(uuid).lock();
        if (!data || data->entityName != entityName)
            return std::nullopt;
        return ManagedObjectID(std::move(data));
    }
    if (!parts[1].startsWith('p'))
        return std::nullopt;
    bool ok = false;
    const qint64 primaryKey = reference.toLongLong(&ok);
    const PersistentStore* store = storeWithIdentifier(uri.host());
    if (!ok || primaryKey <= 0 || !store)
        return std::nullopt;
    return permanentID(*store, entityName, primaryKey);
}

SourceRow PersistentStoreCoordinator::sourceRow(const PersistentStore& store, const EntityDescription& entity,
                                                StoreRow&& row)
{
    SourceRow result;
    result.id = permanentID(store, entity.name(), row.primaryKey);
    result.snapshot.attributes = std::move(row.attributes);
    result.snapshot.attributes.resize(entity.attributes().size());
    result.snapshot.relationships.resize(entity.relationships().size());
    for (const RelationshipDescription& relationship : entity.relationships()) {
        const qsizetype index = entity.indexOf(relationship);
        if (size_t(index) >= row.relationships.size())
            continue;
        QList<ManagedObjectID>& ids = result.snapshot.relationships[size_t(index)];
        for (qint64 key : row.relationships[size_t(index)])
            ids.append(permanentID(store, relationship.destinationEntityName, key));
    }
    return result;
}

Result<QList<SourceRow>>
PersistentStoreCoordinator::fetchRows(const EntityDescription& entity, const Predicate& predicate,
                                      const std::function<bool(const ManagedObjectID&)>& held)
{
    QMutexLocker lock(&m_mutex);
    QList<SourceRow> result;
    for (const auto& store : m_stores) {
        QSet<qint64> keysOnly;
        PersistentStore::KeyFilter keyOnly;
        if (held) {
            keyOnly = [&](qint64 primaryKey) {
                if (!held(permanentID(*store, entity.name(), primaryKey)))
                    return false;
                keysOnly.insert(primaryKey);
                return true;
            };
        }
        Result<QList<StoreRow>> rows = store->fetchRows(entity, predicate, keyOnly);
        if (!rows)
            return failure(rows.error());
        for (StoreRow& row : *rows) {
            if (keysOnly.contains(row.primaryKey)) {
                result.append(SourceRow{permanentID(*store, entity.name(), row.primaryKey), {}});
                continue;
            }
            SourceRow source = sourceRow(*store, entity, std::move(row));
            if (predicate.matches(entity, source.snapshot))
                result.append(std::move(source));
        }
    }
    return result;
}

std::optional<ObjectSnapshot> PersistentStoreCoordinator::fetchRow(const ManagedObjectID& id)
{
    if (id.isNull() || id.isTemporaryID())
        return std::nullopt;
    const EntityDescription* entity = m_model->entity(id.entityName());
    QMutexLocker lock(&m_mutex);
    PersistentStore* store = storeWithIdentifier(id.storeIdentifier());
    if (!entity || !store)
        return std::nullopt;
    Result<std::optional<StoreRow>> row = store->fetchRow(*entity, id.primaryKey());
    if (!row || !row->has_value())
        return std::nullopt;
    return sourceRow(*store, *entity, std::move(**row)).snapshot;
}

Result<QList<std::pair<ManagedObjectID, QString>>>
PersistentStoreCoordinator::objectsWithTextsLongerThan(const EntityDescription& entity,
                                                       const QHash<QString, qint64>& bounds)
{
    QMutexLocker lock(&m_mutex);
    QList<std::pair<ManagedObjectID, QString>> objects;
    for (const auto& store : m_stores) {
        Result<QList<PersistentStore::LongText>> texts = store->textsLongerThan(entity, bounds);
        if (!texts)
            return failure(texts.error());
        for (const PersistentStore::LongText& text : *texts)
            objects.append({permanentID(*store, entity.name(), text.primaryKey), text.attribute});
    }
    return objects;
}

Result<void> PersistentStoreCoordinator::save(const SaveChanges& changes)
{
    QMutexLocker lock(&m_mutex);
    if (m_stores.empty())
        return failure(Error::Code::noStore, "There is no store to save into.");
    PersistentStore& store = *m_stores.front();

    // Keys for new objects; IDs become permanent only once the store has taken the rows.
    QHash<ManagedObjectID, qint64> newKeys;
    for (const ChangeRecord& record : changes.inserted) {
        if (!record.id.isTemporaryID())
            continue;
        Result<qint64> key = store.reservePrimaryKeys(*record.entity, 1);
        if (!key)
            return failure(key.error());
        newKeys.insert(record.id, *key);
    }
    auto keyOf = [&](const ManagedObjectID& id) -> qint64 {
        if (!id.isTemporaryID())
            return id.storeIdentifier() == store.identifier() ? id.primaryKey() : 0;
        return newKeys.value(id, 0);
    };
    auto rowOf = [&](const ChangeRecord& record) {
        const EntityDescription& entity = *record.entity;
        StoreRow row;
        row.primaryKey = keyOf(record.id);
        row.attributes.resize(entity.attributes().size());
        for (const AttributeDescription& attribute : entity.attributes()) {
            if (!attribute.isTransient)
                row.attributes[size_t(entity.indexOf(attribute))] =
                    record.snapshot.attribute(entity.indexOf(attribute));
        }
        row.relationships.resize(entity.relationships().size());
        for (const RelationshipDescription& relationship : entity.relationships()) {
            QList<qint64>& keys = row.relationships[size_t(entity.indexOf(relationship))];
            for (const ManagedObjectID& id : record.snapshot.related(entity.indexOf(relationship))) {
                if (const qint64 key = keyOf(id); key > 0)
                    keys.append(key);
            }
        }
        return EntityRow{record.entity, std::move(row)};
    };

    StoreSaveRequest request;
    for (const ChangeRecord& record : changes.inserted)
        request.inserted.push_back(rowOf(record));
    for (const ChangeRecord& record : changes.updated) {
        if (keyOf(record.id) > 0)
            request.updated.push_back(rowOf(record));
    }
    for (const ChangeRecord& record : changes.deleted) {
        if (const qint64 key = keyOf(record.id); key > 0)
            request.deleted.emplace_back(record.entity, key);
    }
    if (Result<void> saved = store.save(request); !saved)
        return saved;

    for (auto it = newKeys.cbegin(); it != newKeys.cend(); ++it) {
        ManagedObjectID::Data& data = *it.key().m_data;
        data.storeIdentifier = store.identifier();
        data.primaryKey.store(it.value(), std::memory_order_release);
        m_permanentIDs.insert(PermanentKey{store.identifier(), data.entityName, it.value()}, it.key().m_data);
    }
    return {};
}

} // namespace store
