#pragma once

#include "graphics/Image.h"
#include "graphics/ImageFile.h"
#include "model/attributes/Attribute.h"
#include "model/entities/ImageDroppable.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace pelorama::model {

class Entity;

// A drawable whose picture lives in an Asset (images and device images): "image" holds the decoded
// picture in memory (a transient attribute, never stored), "assetIdentifier" the uniqueIdentifier of the
// asset holding the picture's bytes. An identifier that names no asset is allowed; the drawable then has
// no picture. A file dropped on it becomes its picture and its asset.
//
// Adopted by entity classes only, whose tables hold the rows of the two attributes below; the entity
// passes itself to the constructor, as with Shadowable.
class ImageLoadable : public ImageDroppable
{
public:
    static constexpr Attribute<graphics::Image> imageAttribute{u"image"};
    static constexpr Attribute<QString> assetIdentifierAttribute{u"assetIdentifier"};

    std::optional<graphics::Image> image() const;
    void setImage(const std::optional<graphics::Image>& image);
    std::optional<QString> assetIdentifier() const;
    void setAssetIdentifier(const std::optional<QString>& identifier);

    // Sets image from the asset that assetIdentifier names; conformers call it after a fetch. Without an
    // identifier or a context nothing changes; an asset that cannot be found or read leaves no picture
    // and a warning.
    void loadImageFromAsset();
    // Keeps data, the picture's bytes as read, in a new asset of the entity's context and names it, after
    // letting the previous one go (deleteAsset). It does not set image; the caller does.
    void storeImageData(const QByteArray& data);
    // Forgets the asset and deletes it, unless another image or device image still names it: copies made
    // by duplicate and paste share their asset. Conformers call it when they are deleted.
    void deleteAsset();

    // Sets the picture of a file dropped on the conformer as its image and keeps the file's bytes in a
    // new asset (storeImageData), as one change. A conformer deleted while the file was read is left
    // alone.
    void takeDroppedImage(const graphics::ImageFile& file) override;

protected:
    explicit ImageLoadable(Entity& entity);
    ImageLoadable(const ImageLoadable&) = delete;
    ImageLoadable& operator=(const ImageLoadable&) = delete;

    Entity& imageLoadableEntity() const { return m_entity; }

private:
    Entity& m_entity;
};

} // namespace pelorama::model
