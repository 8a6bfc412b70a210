#pragma once

#include "graphics/Point.h"
#include "model/DeviceOrientation.h"
#include "model/Drawable.h"
#include "model/Entity.h"
#include "model/ImageLoadable.h"
#include "model/Shadowable.h"

namespace store {
class ManagedObjectContext;
struct FetchRequest;
} // namespace store

namespace pelorama::model {

// A device frame of the catalogue showing the user's picture in its screen, placed by its centre and a
// scale factor from frame-picture units to canvas points, turned by its orientation, with a shadow. Its
// picture is kept in an Asset (ImageLoadable).
//
// Keys: "uniqueIdentifier", "assetIdentifier", "image" (transient), "scaleFactor", "position" (a
// graphics::Point to key-value coding, stored as text), "orientation" (raw value), "deviceFamily" and
// "deviceVariant" (identifier text, may be missing: see typedPrimitiveValue<QString>) and the shadow keys.
class DeviceImage : public Entity, public Drawable, public ImageLoadable, public Shadowable
{
    Q_OBJECT

public:
    DeviceImage();

    // A new device image with a new uniqueIdentifier at (0, 0), scale factor 1, and the shadow defaults;
    // family, variant and orientation stay unset.
    static DeviceImage* insertInto(store::ManagedObjectContext& context);
    static DeviceImage* insertInto(store::ManagedObjectContext& context, graphics::Point position,
                                   double scaleFactor);
    static store::FetchRequest fetchRequest();

    QString uniqueIdentifier() const;
    void setUniqueIdentifier(const QString& identifier);
    double scaleFactor() const;
    void setScaleFactor(double factor);
    graphics::Point position() const; // (0, 0) when missing
    void setPosition(graphics::Point position);
    DeviceOrientation orientation() const; // portrait when missing or unknown
    void setOrientation(DeviceOrientation orientation);

    void draw(const Canvas& canvas, const CanvasRenderingContext& context) override;
    QStringList keypathsTriggeringRedraw() const override;
    void prepareForRedrawAfterChangingWithKeyPath(const QString& keyPath) override;

protected:
    bool hasTypedKey(const QString& key) const override;
    QVariant typedValueForKey(const QString& key) const override;
    void setTypedValueForKey(const QVariant& value, const QString& key) override;
};

} // namespace pelorama::model
