#include "model/entities/Asset.h"

#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/context/ContextOperations.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"
#include "tessaline/Shared/Hashing.h"

namespace pelorama::model {

const AttributeTable& Asset::attributes()
{
    static const AttributeTable table({
        attributeRow(dataAttribute),
        attributeRow(sha1HashAttribute),
        // Drawables name their picture by it.
        attributeRow(uniqueIdentifierAttribute, {.insertion = &makeUniqueIdentifier, .indexed = true}),
    });
    return table;
}

Asset::Asset()
    : IdentifiedEntity(attributes())
{}

Asset* Asset::insertInto(store::ManagedObjectContext& context, const QByteArray& data)
{
    Asset* asset = insertInto(context);
    asset->setData(data);
    asset->setSha1Hash(tessaline::hashedHexString(data, tessaline::HashingAlgorithm::sha1));
    return asset;
}

store::FetchRequest Asset::fetchRequest(const QString& identifier)
{
    return store::FetchRequest(entityName<Asset>(),
                               store::Predicate::equal(uniqueIdentifierAttribute.key(), identifier));
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

} // namespace pelorama::model
