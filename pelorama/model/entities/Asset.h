#pragma once

#include "model/entities/EntityClass.h"
#include "model/entities/IdentifiedEntity.h"
#include "store/Result.h"
#include "store/StoreForward.h"

#include <QByteArray>
#include <QString>

namespace pelorama::model {

// The bytes of a picture as they were read, their SHA-1 as 40 lower-case hex digits and an identifier by
// which drawables name it ("assetIdentifier"); no relationship leads to an asset.
//
// Keys: "data", "sha1Hash", "uniqueIdentifier".
class Asset : public IdentifiedEntity, public EntityClass<Asset>
{
    Q_OBJECT

public:
    Asset();

    static const AttributeTable& attributes();

    // The attributes the typed accessors below read and write.
    static constexpr Attribute<QByteArray> dataAttribute{u"data"};
    static constexpr Attribute<QString> sha1HashAttribute{u"sha1Hash"};

    // A new asset with a new uniqueIdentifier.
    using EntityClass<Asset>::insertInto;
    // The same, holding data and its hash.
    static Asset* insertInto(store::ManagedObjectContext& context, const QByteArray& data);
    using EntityClass<Asset>::fetchRequest;
    // The assets whose uniqueIdentifier is identifier.
    static store::FetchRequest fetchRequest(const QString& identifier);

    // The first asset named identifier in context (pending changes included); nullptr when there is none.
    static store::Result<Asset*> fetch(const QString& identifier, store::ManagedObjectContext& context);
    // Deletes every asset named identifier in context; none is success. The caller makes sure nothing
    // still names it (see ImageLoadable::deleteAsset).
    static store::Result<void> deleteAsset(const QString& identifier, store::ManagedObjectContext& context);

    QByteArray data() const { return value(dataAttribute); }
    void setData(const QByteArray& data) { setValue(dataAttribute, data); }
    QString sha1Hash() const { return value(sha1HashAttribute); }
    void setSha1Hash(const QString& hash) { setValue(sha1HashAttribute, hash); }
};

} // namespace pelorama::model
