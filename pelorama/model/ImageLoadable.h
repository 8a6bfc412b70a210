#pragma once

#include "graphics/Image.h"

#include <QString>
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

protected:
    explicit ImageLoadable(Entity& entity);
    ImageLoadable(const ImageLoadable&) = delete;
    ImageLoadable& operator=(const ImageLoadable&) = delete;

    Entity& imageLoadableEntity() const { return m_entity; }

private:
    Entity& m_entity;
};

} // namespace pelorama::model
