#pragma once

#include "foundation/Expected.h"
#include "graphics/Image.h"
#include "model/DroppableError.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>

namespace pelorama::model {

class Entity;

// A drawable whose picture lives in an Asset (images and device images): "image" holds the decoded
// picture in memory (a transient attribute, never stored), "assetIdentifier" the uniqueIdentifier of the
// asset holding the picture's bytes. An identifier that names no asset is allowed; the drawable then has
// no picture.
//
// Adopted by entity classes only; the entity passes itself to the constructor, as with Shadowable.
class ImageLoadable
{
public:
    virtual ~ImageLoadable() = default;

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

    // What a conformer does with a picture file dropped on it (ImageDroppable::processDroppedUrl): reads
    // the file, decodes it through the image decoder registry, sets image and keeps the bytes as read in
    // a new asset (storeImageData). A file that cannot be read or decoded changes nothing: the old picture
    // and its asset stay.
    foundation::Expected<void, DroppableError> takeDroppedFile(const QUrl& url);

protected:
    explicit ImageLoadable(Entity& entity);
    ImageLoadable(const ImageLoadable&) = delete;
    ImageLoadable& operator=(const ImageLoadable&) = delete;

    Entity& imageLoadableEntity() const { return m_entity; }

private:
    Entity& m_entity;
};

} // namespace pelorama::model
