#pragma once

#include "graphics/Image.h"
#include "graphics/ImageFile.h"
#include "model/attributes/Attribute.h"
#include "model/entities/IdentifiedEntity.h"
#include "model/entities/ImageDroppable.h"
#include "model/rendering/PictureReference.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>
#include <utility>

namespace pelorama::model {

// The picture behaviour that images and device images share: their picture lives in an Asset, which
// "assetIdentifier" names by its uniqueIdentifier. An identifier that names no asset is allowed; the
// drawable then has no picture. "image" (a transient attribute, never stored) holds a picture set in
// memory: one that no asset holds (a template's), or one just dropped, until the document is opened
// again. Nothing is decoded when a drawable is fetched: an asset's picture is decoded when something
// draws or reads it, once for all the drawables that share it (PictureCache). A file dropped on the
// drawable becomes its picture and its asset; a deleted drawable lets its asset go.
//
// Adds no meta-object of its own; the entity classes' tables hold the rows of the two attributes below.
class ImageLoadable : public IdentifiedEntity, public ImageDroppable
{
public:
    static constexpr Attribute<graphics::Image> imageAttribute{u"image"};
    static constexpr Attribute<QString> assetIdentifierAttribute{u"assetIdentifier"};

    // The picture held in "image", else the asset's, decoded now on this thread when the shared
    // PictureCache keeps none. Key-value coding reads "image" through it (imageValue).
    std::optional<graphics::Image> image() const;
    void setImage(const std::optional<graphics::Image>& image);
    std::optional<QString> assetIdentifier() const;
    void setAssetIdentifier(const std::optional<QString>& identifier);

    // The picture as a snapshot holds it, without decoding anything. An asset that cannot be found or read
    // gives no picture, with a warning once.
    PictureReference pictureReference() const;

    // Keeps data, the picture's bytes as read, in a new asset of the entity's context and names it, after
    // letting the previous one go (deleteAsset). It does not set image; the caller does, before: a
    // picture it holds then is taken as the decoding of data and kept in the shared PictureCache, so that
    // the copies that share the asset draw it without decoding it again.
    void storeImageData(const QByteArray& data);
    // Forgets the asset and deletes it, unless another image or device image still names it: copies made
    // by duplicate and paste share their asset.
    void deleteAsset();

    // Sets the picture of a file dropped on the conformer as its image and keeps the file's bytes in a
    // new asset (storeImageData), as one change. A conformer deleted while the file was read is left
    // alone.
    void takeDroppedImage(const graphics::ImageFile& file) override;

    // Key-value coding's value of "image" for a row of an entity's table: the picture image() answers.
    static QVariant imageValue(const Entity& entity);

protected:
    explicit ImageLoadable(const AttributeTable& attributes);

    // A deleted drawable lets its asset go (deleteAsset).
    void prepareForDeletion() override;

private:
    // The asset's picture as last looked up, with the identifier it was looked up for.
    mutable std::optional<std::pair<QString, PictureReference>> m_assetPicture;
};

} // namespace pelorama::model
