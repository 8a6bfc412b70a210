#pragma once

#include "graphics/Image.h"
#include "graphics/Point.h"
#include "model/entities/DeviceOrientation.h"
#include "model/entities/ShadowSettings.h"
#include "model/rendering/PictureReference.h"

#include <QStringList>
#include <optional>

namespace pelorama::model {

class DeviceFamily;
class DeviceImage;
class DeviceVariant;

// What a device image is drawn from (SnapshotDrawing.h), as plain values: the catalogue's family and
// variant (objects that live as long as the process and never change), not their frame picture, which
// the renderer opens on its own thread. The picture is referred to, not decoded (PictureReference).
struct DeviceImageSnapshot
{
    graphics::Point position;
    double scaleFactor = 1;
    DeviceOrientation orientation = DeviceOrientation::portrait;
    const DeviceFamily* family = nullptr; // never null in a snapshot taken with of()
    const DeviceVariant* variant = nullptr;
    ShadowSettings shadow;
    PictureReference picture;

    // On the device image's context queue.
    static DeviceImageSnapshot of(const DeviceImage& deviceImage);

    friend bool operator==(const DeviceImageSnapshot&, const DeviceImageSnapshot&) = default;
};

} // namespace pelorama::model
