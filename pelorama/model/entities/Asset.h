#pragma once

#include "model/entities/Entity.h"
#include "store/Result.h"

#include <QByteArray>
#include <QString>

namespace store {
class ManagedObjectContext;
struct FetchRequest;
} // namespace store

namespace pelorama::model {

// The bytes of a picture as they were read, their SHA-1 as 40 lower-case hex digits and an identifier by
// which drawables name it ("assetIdentifier"); no relationship leads to an asset.
//
// Keys: "data", "sha1Hash", "uniqueIdentifier".
class Asset : public Entity
{
    Q_OBJECT

public:
    Asset();

    static const AttributeTable& attributes();

    // A new asset with a new uniqueIdentifier.
    static Asset* insertInto(store::ManagedObjectContext& context);
    // The same, holding data and its hash.
    static Asset* insertInto(store::ManagedObjectContext& context, const QByteArray& data);
    static store::FetchRequest fetchRequest();
    // The assets whose uniqueIdentifier is identifier.
    static store::FetchRequest fetchRequest(const QString& identifier);

    // The first asset named identifier in context (pending changes included); nullptr when there is none.
    static store::Result<Asset*> fetch(const QString& identifier, store::ManagedObjectContext& context);
    // Deletes every asset named identifier in context; none is success. The caller makes sure nothing
    // still names it (see ImageLoadable::deleteAsset).
    static store::Result<void> deleteAsset(const QString& identifier, store::ManagedObjectContext& context);

    QByteArray data() const;
    void setData(const QByteArray& data);
    QString sha1Hash() const;
    void setSha1Hash(const QString& hash);
    QString uniqueIdentifier() const;
    void setUniqueIdentifier(const QString& identifier);
};

} // namespace pelorama::model
