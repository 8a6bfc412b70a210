#pragma once

#include "graphics/Image.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"
#include "model/entities/DeviceOrientation.h"
#include "model/entities/Drawable.h"
#include "model/entities/EntityClass.h"
#include "model/entities/ImageLoadable.h"
#include "model/entities/Shadowable.h"
#include "store/StoreForward.h"

#include <memory>
#include <optional>

namespace pelorama::model {

class DeviceFamily;
class DeviceVariant;

// A device frame of the catalogue showing the user's picture in its screen, placed by its centre and a
// scale factor from frame-picture units to canvas points, turned by its orientation, with a shadow. Its
// picture is kept in an Asset (ImageLoadable).
//
// Keys: "uniqueIdentifier", "assetIdentifier", "image" (transient), "scaleFactor", "position" (a
// graphics::Point to key-value coding, stored as text), "orientation" (raw value), "deviceFamily" and
// "deviceVariant" (stored as identifier text, which may be missing or unknown; to key-value coding the
// resolved catalogue objects, as const DeviceFamily* and const DeviceVariant*) and the shadow keys.
class DeviceImage : public ImageLoadable, public Drawable, public Shadowable, public EntityClass<DeviceImage>
{
    Q_OBJECT

public:
    DeviceImage();

    // Its attributes, the shadow's last. The inspector shows the group "Device Image" (the family's
    // variants as "Device Model", "Scale factor", the "Screenshot" and the resolution warning, kept
    // current while the collection lives) and the "Shadow" group.
    static const AttributeTable& attributes();

    // The attributes the typed accessors below read and write.
    static constexpr Attribute<double> scaleFactorAttribute{u"scaleFactor"};
    static constexpr Attribute<graphics::Point> positionAttribute{u"position"};
    static constexpr Attribute<DeviceOrientation> orientationAttribute{u"orientation"};

    // A new device image with a new uniqueIdentifier at (0, 0), scale factor 1, and the shadow defaults;
    // family, variant and orientation stay unset, so it shows the first family's first variant, upright.
    using EntityClass<DeviceImage>::insertInto;
    static DeviceImage* insertInto(store::ManagedObjectContext& context, graphics::Point position,
                                   double scaleFactor);

    double scaleFactor() const { return value(scaleFactorAttribute); }
    void setScaleFactor(double factor) { setValue(scaleFactorAttribute, factor); }
    // (0, 0) when missing.
    graphics::Point position() const { return value(positionAttribute); }
    void setPosition(graphics::Point position) { setValue(positionAttribute, position); }
    // Portrait when missing or unknown.
    DeviceOrientation orientation() const { return value(orientationAttribute); }
    void setOrientation(DeviceOrientation orientation) { setValue(orientationAttribute, orientation); }

    // The stored family, or the catalogue's first family when none or an unknown one is stored. Nothing
    // is written back.
    const DeviceFamily& deviceFamily() const;
    // Stores the family; keeps the stored variant when the family has it, else stores its first variant.
    // Observers of "deviceVariant" hear of every store of the family, which may change the resolved
    // variant without a store of the variant.
    void setDeviceFamily(const DeviceFamily& family);
    // The stored variant of the resolved family, or the family's first variant when none is stored or
    // the family has no variant of that identifier. Always one of deviceFamily()'s variants.
    const DeviceVariant& deviceVariant() const;
    // Stores the variant (of any family, unchecked).
    void setDeviceVariant(const DeviceVariant& variant);

    // The frame picture of deviceVariant(), from the process's DeviceFrameCache, so it is loaded once
    // and follows every change of the family or variant, undo and redo included. nullptr, with a warning,
    // when the frame cannot be had; the next use tries again.
    std::shared_ptr<const graphics::Image> deviceImage() const;

    // The device on the canvas, in points: the frame picture scaled and centred on the position, turned
    // for an orientable family. The frame's size is the catalogue's, so no picture is opened.
    graphics::Rect rect() const;
    graphics::Rect boundingRect() const override { return rect(); }

    // The inspector's resolution warning, in the inspector's markup, when the picture fits the variant's
    // screen neither at its size nor at twice it; none without a picture or with a fitting one.
    std::optional<QString> resolutionWarning() const;

    // Its placement, orientation, family and variant, shadow and picture (DeviceImageSnapshot).
    DrawableSnapshot snapshot() const override;
};

} // namespace pelorama::model
