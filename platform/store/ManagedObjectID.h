#pragma once

#include <QMetaType>
#include <QString>
#include <QUrl>
#include <QUuid>
#include <memory>

namespace store {

class PersistentStoreCoordinator;

// The identity of an object across the contexts of one coordinator. A new object's ID is temporary
// until its first save into a store makes it permanent; the same ID value then reads as permanent
// everywhere, so contexts, undo records and callers that kept it keep finding the object.
//
// URI forms (uriRepresentation):
//   permanent  x-store://<store identifier>/<entity>/p<primary key>
//   temporary  x-store:///<entity>/t<uuid>
class ManagedObjectID
{
public:
    ManagedObjectID() = default;

    bool isNull() const { return !m_data; }
    QString entityName() const;
    bool isTemporaryID() const;
    QUrl uriRepresentation() const;

    // Only for permanent IDs.
    QString storeIdentifier() const;
    qint64 primaryKey() const;

    friend bool operator==(const ManagedObjectID& a, const ManagedObjectID& b)
    {
        return a.m_data == b.m_data;
    }
    friend size_t qHash(const ManagedObjectID& id, size_t seed = 0)
    {
        return ::qHash(reinterpret_cast<quintptr>(id.m_data.get()), seed);
    }

private:
    friend class PersistentStoreCoordinator;
    struct Data;

    explicit ManagedObjectID(std::shared_ptr<Data> data)
        : m_data(std::move(data))
    {}

    std::shared_ptr<Data> m_data;
};

} // namespace store

template <> struct std::hash<store::ManagedObjectID>
{
    size_t operator()(const store::ManagedObjectID& id) const { return qHash(id); }
};

Q_DECLARE_METATYPE(store::ManagedObjectID)
