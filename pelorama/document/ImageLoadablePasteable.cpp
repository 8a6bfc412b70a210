#include "document/ImageLoadablePasteable.h"

#include "document/PasteInsertion.h"
#include "document/PasteboardSerialization.h"
#include "foundation/Diagnostics.h"
#include "model/attributes/AttributeRowOptions.h"
#include "model/entities/Asset.h"
#include "model/entities/Entity.h"
#include "model/entities/ImageLoadable.h"
#include "store/EntityDescription.h"
#include "store/ManagedObjectContext.h"

namespace pelorama::document {

namespace {

const QString assetKey = QStringLiteral("asset");
const QString imageKey = QStringLiteral("image");

void reportFetchError(const store::Error& error)
{
    foundation::printLine(QStringLiteral("Error fetching asset: ") + error.message());
}

} // namespace

ImageLoadablePasteable::ImageLoadablePasteable(Insertion insertion)
    : EntityPasteable(std::move(insertion), {}, {QStringLiteral("uniqueIdentifier"), imageKey})
{}

std::optional<QVariantMap>
ImageLoadablePasteable::additionalPasteboardData(store::ManagedObject& object) const
{
    auto* loadable = dynamic_cast<model::ImageLoadable*>(&object);
    store::ManagedObjectContext* context = object.managedObjectContext();
    if (!loadable || !context)
        return std::nullopt;
    if (const std::optional<QString> identifier = loadable->assetIdentifier()) {
        const store::Result<model::Asset*> asset = model::Asset::fetch(*identifier, *context);
        if (!asset)
            reportFetchError(asset.error());
        else if (*asset)
            return QVariantMap{{assetKey, QVariant(pasteboardDictionary(**asset))}};
    }
    // A picture no asset holds (one a template placed, say) travels as it is.
    if (const std::optional<graphics::Image> picture =
            loadable->storedValue(model::ImageLoadable::imageAttribute);
        picture && !picture->isEmpty())
        return QVariantMap{{imageKey, QVariant::fromValue(*picture)}};
    return std::nullopt;
}

CopyPasteable::CheckedExtras
ImageLoadablePasteable::checkAdditionalPasteboardData(const QVariantMap&, const QVariantMap& extras) const
{
    QVariantMap checked;
    if (const auto asset = extras.constFind(assetKey); asset != extras.constEnd()) {
        if (asset->typeId() != QMetaType::QVariantMap)
            return {std::nullopt, QStringLiteral("The asset of a picture is not valid.")};
        auto checkedAsset = checkedPasteboardDictionary(model::entityName<model::Asset>(), asset->toMap());
        if (!checkedAsset)
            return {std::nullopt, checkedAsset.error()};
        checked.insert(assetKey, *checkedAsset);
    }
    if (const auto picture = extras.constFind(imageKey); picture != extras.constEnd()) {
        const std::optional<QVariant> value =
            model::attributeRow(model::ImageLoadable::imageAttribute).checkedValue(*picture);
        if (!value)
            return {std::nullopt, QStringLiteral("The picture of an image is not valid.")};
        checked.insert(imageKey, *value);
    }
    if (checked.isEmpty())
        return {};
    return {checked, std::nullopt};
}

void ImageLoadablePasteable::processAdditionalPasteboardData(store::ManagedObject& object,
                                                             const QVariantMap& extras,
                                                             PasteInsertion& insertion) const
{
    auto* loadable = dynamic_cast<model::ImageLoadable*>(&object);
    if (!loadable || !object.managedObjectContext())
        return;
    bool hasAsset = false;
    if (const std::optional<QString> identifier = loadable->assetIdentifier()) {
        const store::Result<model::Asset*> asset = insertion.asset(*identifier);
        if (!asset)
            reportFetchError(asset.error());
        hasAsset = asset && *asset;
    }
    if (!hasAsset && extras.contains(assetKey)) {
        auto& asset = dynamic_cast<model::Asset&>(insertFromPasteboardDictionary(
            model::entityName<model::Asset>(), extras.value(assetKey).toMap(), insertion));
        insertion.addAsset(asset.uniqueIdentifier(), asset);
        loadable->setAssetIdentifier(asset.uniqueIdentifier());
        hasAsset = true;
    }
    // The picture of an asset is decoded when it is drawn, once for every picture that shares it.
    if (!hasAsset && extras.contains(imageKey))
        loadable->setImage(extras.value(imageKey).value<graphics::Image>());
}

} // namespace pelorama::document
