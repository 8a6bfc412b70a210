#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "model/Drawable.h"
#include "model/Entity.h"
#include "model/FillMode.h"
#include "model/ImageLoadable.h"
#include "model/Selectable.h"
#include "model/Shadowable.h"

#include <optional>

namespace store {
class ManagedObjectContext;
struct FetchRequest;
} // namespace store

namespace pelorama::model {

// A picture placed in a rectangle of a screenshot (canvas points), filled by its FillMode, with a shadow.
// Its picture is kept in an Asset (ImageLoadable).
//
// Keys: "uniqueIdentifier", "assetIdentifier", "image" (transient), "rect" (a graphics::Rect to
// key-value coding, stored as text), "fillMode" (raw value) and the shadow keys.
class Image : public Entity, public Drawable, public Selectable, public ImageLoadable, public Shadowable
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

    void draw(const Canvas& canvas, const CanvasRenderingContext& context) override;
    QStringList keypathsTriggeringRedraw() const override;
    void prepareForRedrawAfterChangingWithKeyPath(const QString& keyPath) override;

protected:
    bool hasTypedKey(const QString& key) const override;
    QVariant typedValueForKey(const QString& key) const override;
    void setTypedValueForKey(const QVariant& value, const QString& key) override;
};

} // namespace pelorama::model
