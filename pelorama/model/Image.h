#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "ledgerline/PropertyEditable.h"
#include "model/Drawable.h"
#include "model/Entity.h"
#include "model/FillMode.h"
#include "model/ImageDroppable.h"
#include "model/ImageLoadable.h"
#include "model/Shadowable.h"

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
class Image : public Entity,
              public Drawable,
              public ImageDroppable,
              public ImageLoadable,
              public Shadowable,
              public ledgerline::PropertyEditable
{
    Q_OBJECT

public:
    Image();

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

    // Where the picture is drawn and which part of it, by the fill mode: the destination in canvas points
    // and the source in the picture's space (the zero rectangle for the whole picture). Stretch: rect and
    // the whole; aspect fit: the picture's size fitted into rect, and the whole; aspect fill: rect, and
    // the largest centred part of the picture with rect's proportions. No value when rect or the picture
    // size has no area.
    struct Placement
    {
        graphics::Rect destination;
        graphics::Rect source;
    };
    std::optional<Placement> placement(const graphics::Size& pictureSize) const;

    // With a picture: the picture placed by the fill mode, over its shadow (a drop shadow, or the
    // directional bands of its shown part, shadowDepth x the canvas diagonal long), the same in every
    // mode. Without one: nothing in export and thumbnail renders, the placeholder in the canvas view and
    // an empty box in template previews, drawn in bitmap pixels.
    void draw(const Canvas& canvas, const CanvasRenderingContext& context) override;
    QStringList keypathsTriggeringRedraw() const override;
    void prepareForRedrawAfterChangingWithKeyPath(const QString& keyPath) override;
    DrawableSnapshot snapshot() const override;

    void takeDroppedImage(const graphics::ImageFile& file) override;

    // The inspector: "Image" (Resizing mode: Stretch, Aspect fit or Aspect fill; Image: the picture, whose
    // bytes the row hands to storeImageData) and "Shadow".
    std::unique_ptr<ledgerline::PropertyCollection> makePropertyCollection() override;

protected:
    // A fetched image loads its picture from its asset; a deleted one lets the asset go.
    void awakeFromFetch() override;
    void prepareForDeletion() override;

    bool hasTypedKey(const QString& key) const override;
    QVariant typedValueForKey(const QString& key) const override;
    void setTypedValueForKey(const QVariant& value, const QString& key) override;

private:
    void drawPlaceholder(const Canvas& canvas, const CanvasRenderingContext& context) const;
};

} // namespace pelorama::model
