#include "store/InMemoryStore.h"

#include "store/EntityDescription.h"
#include "store/ValueComparison.h"

namespace store {

InMemoryStore::InMemoryStore(QString identifier)
    : PersistentStore(std::move(identifier), QString())
{}

Result<QList<StoreRow>> InMemoryStore::fetchRows(const EntityDescription& entity, const Predicate& predicate,
                                                 const KeyFilter&)
{
    QList<StoreRow> rows;
    const qsizetype filter = predicate.isAll() ? -1 : entity.attributeIndex(predicate.key());
    const auto table = m_rows.constFind(entity.name());
    if (table == m_rows.constEnd())
        return rows;
    for (const auto& [key, row] : *table) {
        if (filter >= 0 &&
            !valuesEqual(size_t(filter) < row.attributes.size() ? row.attributes[size_t(filter)] : QVariant(),
                         predicate.value()))
            continue;
        rows.append(row);
    }
    return rows;
}

Result<std::optional<StoreRow>> InMemoryStore::fetchRow(const EntityDescription& entity, qint64 primaryKey)
{
    const auto table = m_rows.constFind(entity.name());
    if (table == m_rows.constEnd())
        return std::optional<StoreRow>();
    const auto it = table->find(primaryKey);
    if (it == table->end())
        return std::optional<StoreRow>();
    return std::optional<StoreRow>(it->second);
}

Result<qint64> InMemoryStore::reservePrimaryKeys(const EntityDescription& entity, qint64 count)
{
    return takeKeys(m_lastKeys[entity.name()], count, entity);
}

Result<QList<PersistentStore::LongText>> InMemoryStore::textsLongerThan(const EntityDescription& entity,
                                                                        const QHash<QString, qint64>& bounds)
{
    QList<LongText> texts;
    const auto table = m_rows.constFind(entity.name());
    if (table == m_rows.constEnd())
        return texts;
    for (const auto& [key, row] : *table) {
        for (auto bound = bounds.begin(); bound != bounds.end(); ++bound) {
            const qsizetype index = entity.attributeIndex(bound.key());
            const QVariant value = index >= 0 && size_t(index) < row.attributes.size()
                                       ? row.attributes[size_t(index)]
                                       : QVariant();
            // In characters, as a SQLite store counts them: a pair of surrogates is one.
            if (value.typeId() == QMetaType::QString &&
                qint64(value.toString().toUcs4().size()) > bound.value()) {
                texts.append({key, bound.key()});
                break;
            }
        }
    }
    return texts;
}

Result<void> InMemoryStore::save(const StoreSaveRequest& request)
{
    // Check first so that a refused save changes nothing.
    for (const EntityRow& entry : request.updated) {
        if (!m_rows.value(entry.entity->name()).contains(entry.row.primaryKey))
            return failure(Error::Code::storeSaveFailed,
                           "A changed " + entry.entity->name() + " no longer exists in the store.");
    }
    for (const EntityRow& entry : request.inserted) {
        if (m_rows.value(entry.entity->name()).contains(entry.row.primaryKey))
            return failure(Error::Code::storeSaveFailed,
                           "A new " + entry.entity->name() + " has the key of an existing object.");
    }
    for (const auto& [entity, key] : request.deleted)
        m_rows[entity->name()].erase(key);
    for (const EntityRow& entry : request.inserted) {
        m_rows[entry.entity->name()][entry.row.primaryKey] = entry.row;
        qint64& last = m_lastKeys[entry.entity->name()];
        last = std::max(last, entry.row.primaryKey);
    }
    for (const EntityRow& entry : request.updated)
        m_rows[entry.entity->name()][entry.row.primaryKey] = entry.row;
    return {};
}

Result<void> InMemoryStore::setPath(const QString&)
{
    return failure(Error::Code::storeOpenFailed, "An in-memory store has no file to follow.");
}

} // namespace store
