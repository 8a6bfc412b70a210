#pragma once

#include "model/entities/DeviceOrientation.h"

#include <QString>

namespace pelorama::model {

class DeviceFamily;
struct CanvasRenderingContext;
struct DeviceImageSnapshot;

// Draws a device image: the frame picture of its variant (from DeviceFrameCache) scaled, centred on its
// position and turned with its shadow, then its picture in the frame's screen. Without a picture, the
// canvas view shows the device placeholder in the screen (in bitmap pixels) and template previews the
// family's placeholder picture; other modes leave the screen as the frame has it. A frame that cannot be
// opened draws nothing, with a warning.
class DeviceImageRenderer
{
public:
    DeviceImageRenderer() = delete;

    static void draw(const DeviceImageSnapshot& device, const CanvasRenderingContext& context);

    // The name of the picture that stands in for a missing screenshot in template previews:
    // "placeholder-" + the family name, + "Landscape" for an orientable family turned sideways.
    static QString placeholderName(const DeviceFamily& family, DeviceOrientation orientation);
};

} // namespace pelorama::model
