#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "model/entities/Drawable.h"
#include "model/entities/EntityClass.h"
#include "model/entities/FillMode.h"
#include "model/entities/ImageLoadable.h"
#include "model/entities/Shadowable.h"
#include "store/StoreForward.h"

#include <optional>

namespace pelorama::model {

// A picture placed in a rectangle of a screenshot (canvas points), filled by its FillMode, with a shadow.
// Its picture is kept in an Asset (ImageLoadable): decoded when it is drawn, replaced when a file is
// dropped on it or put into its inspector row, let go when the image is deleted.
//
// Keys: "uniqueIdentifier", "assetIdentifier", "image" (transient), "rect" (a graphics::Rect to
// key-value coding, stored as text), "fillMode" (raw value) and the shadow keys.
class Image : public ImageLoadable, public Drawable, public Shadowable, public EntityClass<Image>
{
    Q_OBJECT

public:
    Image();

    // Its attributes, the shadow's last. The inspector shows "Image" (Resizing mode: Stretch, Aspect fit or
    // Aspect fill; Image: the picture, whose bytes the row hands to storeImageData) and "Shadow".
    static const AttributeTable& attributes();

    // The attributes the typed accessors below read and write.
    static constexpr Attribute<FillMode> fillModeAttribute{u"fillMode"};
    static constexpr Attribute<graphics::Rect> rectAttribute{u"rect"};

    // A new image with a new uniqueIdentifier, no picture, the zero rectangle, stretch, and the shadow
    // defaults.
    using EntityClass<Image>::insertInto;
    // The same, then the picture, rectangle and fill mode (no asset is stored for the picture).
    static Image* insertInto(store::ManagedObjectContext& context,
                             const std::optional<graphics::Image>& image, const graphics::Rect& rect,
                             FillMode fillMode);

    // The zero rectangle when missing.
    graphics::Rect rect() const { return value(rectAttribute); }
    void setRect(const graphics::Rect& rect) { setValue(rectAttribute, rect); }
    // Stretch when missing or unknown.
    FillMode fillMode() const { return value(fillModeAttribute); }
    void setFillMode(FillMode mode) { setValue(fillModeAttribute, mode); }

    graphics::Rect boundingRect() const override { return rect(); }

    // Its picture, rectangle, fill mode and shadow (ImageSnapshot).
    DrawableSnapshot snapshot() const override;
};

} // namespace pelorama::model
