#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "model/entities/Drawable.h"
#include "model/entities/Entity.h"
#include "model/entities/FillMode.h"
#include "model/entities/ImageLoadable.h"
#include "model/entities/Shadowable.h"

#include <optional>

namespace store {
class ManagedObjectContext;
struct FetchRequest;
} // namespace store

namespace pelorama::model {

// A picture placed in a rectangle of a screenshot (canvas points), filled by its FillMode, with a shadow.
// Its picture is kept in an Asset (ImageLoadable): loaded when the image is fetched, replaced when a file
// is dropped on it or put into its inspector row, let go when the image is deleted.
//
// Keys: "uniqueIdentifier", "assetIdentifier", "image" (transient), "rect" (a graphics::Rect to
// key-value coding, stored as text), "fillMode" (raw value) and the shadow keys.
class Image : public Entity, public Drawable, public ImageLoadable, public Shadowable
{
    Q_OBJECT

public:
    Image();

    // Its attributes, the shadow's last. The inspector shows "Image" (Resizing mode: Stretch, Aspect fit or
    // Aspect fill; Image: the picture, whose bytes the row hands to storeImageData) and "Shadow".
    static const AttributeTable& attributes();

    // A new image with a new uniqueIdentifier, no picture, the zero rectangle, stretch, and the shadow
    // defaults.
    static Image* insertInto(store::ManagedObjectContext& context);
    // The same, then the picture, rectangle and fill mode (no asset is stored for the picture).
    static Image* insertInto(store::ManagedObjectContext& context,
                             const std::optional<graphics::Image>& image, const graphics::Rect& rect,
                             FillMode fillMode);
    static store::FetchRequest fetchRequest();

    QString uniqueIdentifier() const;
    void setUniqueIdentifier(const QString& identifier);
    graphics::Rect rect() const; // the zero rectangle when missing
    void setRect(const graphics::Rect& rect);
    FillMode fillMode() const; // stretch when missing or unknown
    void setFillMode(FillMode mode);

    graphics::Rect boundingRect() const override { return rect(); }

    // Its picture, rectangle, fill mode and shadow (ImageSnapshot).
    DrawableSnapshot snapshot() const override;

protected:
    // A fetched image loads its picture from its asset; a deleted one lets the asset go.
    void awakeFromFetch() override;
    void prepareForDeletion() override;
};

} // namespace pelorama::model
