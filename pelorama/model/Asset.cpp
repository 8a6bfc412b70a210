#include "model/Asset.h"

#include "model/ContextOperations.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"
#include "tessaline/Shared/Hashing.h"

namespace pelorama::model {

namespace {
const QString dataKey = QStringLiteral("data");
const QString sha1HashKey = QStringLiteral("sha1Hash");
const QString uniqueIdentifierKey = QStringLiteral("uniqueIdentifier");
} // namespace

Asset* Asset::insertInto(store::ManagedObjectContext& context)
{
    Asset* asset = insertObject<Asset>(context);
    asset->setUniqueIdentifier(makeUniqueIdentifier());
    return asset;
}

Asset* Asset::insertInto(store::ManagedObjectContext& context, const QByteArray& data)
{
    Asset* asset = insertInto(context);
    asset->setData(data);
    asset->setSha1Hash(tessaline::hashedHexString(data, tessaline::HashingAlgorithm::sha1));
    return asset;
}

store::FetchRequest Asset::fetchRequest()
{
    return store::FetchRequest(entityName<Asset>());
}

store::FetchRequest Asset::fetchRequest(const QString& identifier)
{
    return store::FetchRequest(entityName<Asset>(), store::Predicate::equal(uniqueIdentifierKey, identifier));
}

store::Result<Asset*> Asset::fetch(const QString& identifier, store::ManagedObjectContext& context)
{
    const store::Result<QList<store::ManagedObject*>> found = context.execute(fetchRequest(identifier));
    if (!found)
        return store::failure(found.error());
    return found->isEmpty() ? nullptr : dynamic_cast<Asset*>(found->front());
}

store::Result<void> Asset::deleteAsset(const QString& identifier, store::ManagedObjectContext& context)
{
    const store::Result<QList<store::ManagedObject*>> found = context.execute(fetchRequest(identifier));
    if (!found)
        return store::failure(found.error());
    for (store::ManagedObject* asset : *found)
        context.deleteObject(asset);
    return {};
}

QByteArray Asset::data() const
{
    const QVariant value = attributeValue(dataKey);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

void Asset::setData(const QByteArray& data)
{
    setAttributeValue(data, dataKey);
}

QString Asset::sha1Hash() const
{
    return stringValue(sha1HashKey);
}

void Asset::setSha1Hash(const QString& hash)
{
    setAttributeValue(hash, sha1HashKey);
}

QString Asset::uniqueIdentifier() const
{
    return stringValue(uniqueIdentifierKey);
}

void Asset::setUniqueIdentifier(const QString& identifier)
{
    setAttributeValue(identifier, uniqueIdentifierKey);
}

} // namespace pelorama::model
